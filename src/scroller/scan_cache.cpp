#include "scroller/scan_cache.h"


namespace scroller {

void ScanCache::BeginScan(Clock::time_point now) {
  ++scan_;
  now_ = now;
}

void ScanCache::EndScan() {
  std::erase_if(records_, [this](const auto& entry) { return entry.second.metInScan != scan_; });
}

ScanCache::Record& ScanCache::Meet(WindowHandle window) {
  Record& r = records_[window];
  r.metInScan = scan_;
  return r;
}

std::string ScanCache::ClassName(WindowHandle window, ClassAtom atom, const std::function<std::string()>& read) {
  if (atom == 0) {
    records_.erase(window);
    return read();
  }
  Record& r = Meet(window);
  if (r.atom != atom) {
    r = Record{};
    r.metInScan = scan_;
    r.className = read();
    r.atom = atom;
  }
  return r.className;
}

IconHandle ScanCache::Icon(WindowHandle window, const WindowOwner& owner, const std::function<IconHandle()>& ask) {
  Record& r = Meet(window);
  const bool fresh = r.hasIcon && r.iconOwner == owner && now_ - r.iconAskedAt < kIconLifetime;
  if (!fresh) {
    r.icon = ask();
    r.hasIcon = true;
    r.iconOwner = owner;
    r.iconAskedAt = now_;
  }
  return r.icon;
}

}  // namespace scroller
