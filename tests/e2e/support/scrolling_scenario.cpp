#include "support/scrolling_scenario.h"

#include "core/private_messages.h"
#include "support/window_lists.h"

namespace e2e {

using namespace std::chrono_literals;

POINT TopLeft(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return {r.left, r.top};
}

bool ScrollBy(HWND panel, int dx, int dy, DWORD timeoutMs) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(panel, msg::WM_SCROLL_BY, static_cast<WPARAM>(static_cast<UINT>(dx)),
                             static_cast<LPARAM>(dy), SMTO_ABORTIFHUNG, timeoutMs, &ignored) != 0;
}

void PostScrollBy(HWND panel, int dx, int dy) {
  PostMessageA(panel, msg::WM_SCROLL_BY, static_cast<WPARAM>(static_cast<UINT>(dx)), static_cast<LPARAM>(dy));
}

LRESULT Ask(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR answer = 0;
  EXPECT_NE(SendMessageTimeoutA(panel, message, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &answer), 0)
      << "message 0x" << std::hex << message << " not answered";
  return static_cast<LRESULT>(answer);
}

RECT WorkArea() {
  RECT r{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

namespace {

void Key(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof in);
}

}  // namespace

void PressCtrlShift(char key) {
  Key(VK_CONTROL, false);
  Key(VK_SHIFT, false);
  Key(static_cast<WORD>(key), false);
  Key(static_cast<WORD>(key), true);
  Key(VK_SHIFT, true);
  Key(VK_CONTROL, true);
}

void ScrollingScenario::SetUp() {
  EndAllInstances();
  SettingsKey::Delete();
  trayClass_ = WineTrayClass();
  SetCursorPos(kPointerAside.x, kPointerAside.y);
}

void ScrollingScenario::TearDown() {
  EndAllInstances();
  windows_.End();
  SettingsKey::Delete();
  SetCursorPos(kPointerAside.x, kPointerAside.y);
}

void ScrollingScenario::WriteSettings(const std::vector<SettingValue>& changes,
                                      const std::vector<std::string>& excluded) {
  std::vector<std::string> classes = excluded;
  if (!trayClass_.empty()) classes.insert(classes.begin(), trayClass_);
  SettingsKey::Write(
      WithValues(SettingsWith(classes), WithValues({Dword("DoYMove", 1), Dword("StickyMode", 0)}, changes)));
}

bool ScrollingScenario::StartWindows(const std::vector<WindowSpec>& specs) {
  const bool started = windows_.Start(specs);
  EXPECT_TRUE(started) << windows_.Error();
  for (const WindowSpec& spec : specs) tracked_[spec.id] = windows_.Window(spec.id);
  return started;
}

HWND ScrollingScenario::StartSettled() {
  HWND panel = program_.StartSettled(1300ms);
  EXPECT_NE(panel, nullptr) << "the program did not settle in the notification area";
  return panel;
}

std::map<std::string, POINT> ScrollingScenario::Positions(const std::vector<std::string>& ids) const {
  std::map<std::string, POINT> out;
  if (ids.empty()) {
    for (const auto& [id, w] : tracked_) out[id] = TopLeft(w);
  }
  for (const auto& id : ids) out[id] = TopLeft(tracked_.at(id));
  return out;
}

bool ScrollingScenario::WaitMovedBy(const std::map<std::string, POINT>& before, int64_t dx, int64_t dy,
                                    std::chrono::milliseconds timeout) const {
  return tvmtest::WaitUntil(
      [&] {
        for (const auto& [id, p] : before) {
          const POINT now = TopLeft(tracked_.at(id));
          if (now.x != p.x + dx || now.y != p.y + dy) return false;
        }
        return true;
      },
      timeout);
}

std::string ScrollingScenario::Describe(const std::map<std::string, POINT>& before) const {
  std::string out;
  for (const auto& [id, p] : before) {
    const POINT now = TopLeft(tracked_.at(id));
    out += id + " (" + std::to_string(p.x) + ", " + std::to_string(p.y) + ") -> (" + std::to_string(now.x) + ", " +
           std::to_string(now.y) + ")\n";
  }
  return out;
}

}  // namespace e2e
