#pragma once
// A test window as test_windows.exe is asked for it, and its one-argument text form
// "id=a;class=C;title=T;rect=X,Y,W,H;flags=tool,owned;margins=L,T,R,B;track=MINW,MINH,MAXW,MAXH;
// style=0x..;exstyle=0x..".
// Values are percent-encoded so that an argument never needs quoting. Shared by the program,
// which parses it, and the end-to-end support, which writes it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace tvmtw {

enum Flag : unsigned {
  kTool = 1u << 0,           // WS_EX_TOOLWINDOW
  kOwned = 1u << 1,          // owner = the window listed before it
  kPopup = 1u << 2,          // WS_POPUP | WS_BORDER instead of an overlapped window
  kTopmost = 1u << 3,        // WS_EX_TOPMOST
  kMinimized = 1u << 4,
  kMaximized = 1u << 5,
  kHidden = 1u << 6,         // never shown (minimized/maximized then only by style)
  kCloaked = 1u << 7,        // the DWM double answers "cloaked"
  kHung = 1u << 8,           // its own thread, which stops answering after creation
  kReleaseOnMove = 1u << 9,  // reports WM_HOOK_RELEASED to the control panel on each move
  kReleaseOnIcon = 1u << 10, // reports WM_HOOK_RELEASED to the control panel when asked for its icon
  kClassIcon = 1u << 11,     // its class (registered by the first window of it) has an icon
};

struct FlagName {
  unsigned flag;
  const char* name;
};
inline constexpr FlagName kFlagNames[] = {
    {kTool, "tool"},           {kOwned, "owned"},   {kPopup, "popup"},   {kTopmost, "topmost"},
    {kMinimized, "minimized"}, {kMaximized, "maximized"}, {kHidden, "hidden"},
    {kCloaked, "cloaked"},     {kHung, "hung"},     {kReleaseOnMove, "release-on-move"},
    {kReleaseOnIcon, "release-on-icon"}, {kClassIcon, "class-icon"},
};

struct Margins {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// The smallest and largest size the window's application lets it take (WM_GETMINMAXINFO).
struct TrackSizes {
  int minWidth = 1, minHeight = 1, maxWidth = 32000, maxHeight = 32000;
  friend bool operator==(const TrackSizes&, const TrackSizes&) = default;
};

struct WindowSpec {
  std::string id;  // letters, digits, '-', '_', '.'
  std::string className = "TvmTestWindow";
  std::string title;
  int x = 100, y = 100, width = 200, height = 150;
  unsigned flags = 0;
  Margins frameMargins;  // for the DWM double's extended frame bounds
  TrackSizes track;
  DWORD style = 0;       // added to the style the flags give
  DWORD exStyle = 0;
  long color = -1;       // 0xRRGGBB: the client area is painted in it; -1: the system's colour
};

// Exit codes of test_windows.exe.
inline constexpr DWORD kExitEnded = 0;
inline constexpr DWORD kExitBadRequest = 2;
inline constexpr DWORD kExitParentGone = 3;

inline bool ValidId(std::string_view id) {
  if (id.empty()) return false;
  for (char c : id) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c == '-' || c == '_' || c == '.';
    if (!ok) return false;
  }
  return true;
}

inline std::string PercentEncode(std::string_view text) {
  std::string out;
  for (unsigned char c : text) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_' || c == '.' || c == '#';
    if (plain) {
      out.push_back(static_cast<char>(c));
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    }
  }
  return out;
}

inline int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A '%' not followed by two hex digits stands for itself, so hand-typed values pass.
inline std::string PercentDecode(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
      out.push_back(static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2])));
      i += 2;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

inline std::string EncodeWindowSpec(const WindowSpec& spec) {
  char numbers[96];
  std::string out = "id=" + PercentEncode(spec.id) + ";class=" + PercentEncode(spec.className) +
                    ";title=" + PercentEncode(spec.title);
  std::snprintf(numbers, sizeof numbers, ";rect=%d,%d,%d,%d", spec.x, spec.y, spec.width, spec.height);
  out += numbers;
  std::string flags;
  for (const FlagName& f : kFlagNames) {
    if (spec.flags & f.flag) flags += (flags.empty() ? "" : ",") + std::string(f.name);
  }
  if (!flags.empty()) out += ";flags=" + flags;
  const Margins& m = spec.frameMargins;
  if (m.left || m.top || m.right || m.bottom) {
    std::snprintf(numbers, sizeof numbers, ";margins=%d,%d,%d,%d", m.left, m.top, m.right, m.bottom);
    out += numbers;
  }
  if (spec.track != TrackSizes{}) {
    const TrackSizes& t = spec.track;
    std::snprintf(numbers, sizeof numbers, ";track=%d,%d,%d,%d", t.minWidth, t.minHeight, t.maxWidth, t.maxHeight);
    out += numbers;
  }
  if (spec.style) {
    std::snprintf(numbers, sizeof numbers, ";style=0x%lx", static_cast<unsigned long>(spec.style));
    out += numbers;
  }
  if (spec.exStyle) {
    std::snprintf(numbers, sizeof numbers, ";exstyle=0x%lx", static_cast<unsigned long>(spec.exStyle));
    out += numbers;
  }
  if (spec.color >= 0) {
    std::snprintf(numbers, sizeof numbers, ";color=0x%06lx", static_cast<unsigned long>(spec.color));
    out += numbers;
  }
  return out;
}

namespace detail {

// Exactly `count` comma-separated integers.
inline bool ParseInts(const std::string& text, int* out, int count) {
  const char* p = text.c_str();
  for (int i = 0; i < count; ++i) {
    char* end = nullptr;
    const long v = std::strtol(p, &end, 0);
    if (end == p) return false;
    out[i] = static_cast<int>(v);
    p = end;
    if (i + 1 < count) {
      if (*p != ',') return false;
      ++p;
    }
  }
  return *p == '\0';
}

inline bool ParseFlags(std::string_view text, unsigned* flags) {
  while (!text.empty()) {
    const size_t comma = text.find(',');
    const std::string_view name = text.substr(0, comma);
    bool known = false;
    for (const FlagName& f : kFlagNames) {
      if (name == f.name) {
        *flags |= f.flag;
        known = true;
      }
    }
    if (!known) return false;
    text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
  }
  return true;
}

}  // namespace detail

// Nothing, with the reason in *error, for a malformed text.
inline std::optional<WindowSpec> ParseWindowSpec(std::string_view text, std::string* error) {
  WindowSpec spec;
  auto fail = [&](const std::string& why) {
    if (error) *error = why + " in '" + std::string(text) + "'";
    return std::nullopt;
  };
  std::string_view rest = text;
  while (!rest.empty()) {
    const size_t semicolon = rest.find(';');
    const std::string_view field = rest.substr(0, semicolon);
    rest = semicolon == std::string_view::npos ? std::string_view{} : rest.substr(semicolon + 1);
    if (field.empty()) continue;
    const size_t equals = field.find('=');
    if (equals == std::string_view::npos) return fail("no '=' in field '" + std::string(field) + "'");
    const std::string_view key = field.substr(0, equals);
    const std::string value = PercentDecode(field.substr(equals + 1));
    int n[4] = {};
    if (key == "id") {
      spec.id = value;
    } else if (key == "class") {
      spec.className = value;
    } else if (key == "title") {
      spec.title = value;
    } else if (key == "rect") {
      if (!detail::ParseInts(value, n, 4)) return fail("bad rect");
      spec.x = n[0], spec.y = n[1], spec.width = n[2], spec.height = n[3];
    } else if (key == "margins") {
      if (!detail::ParseInts(value, n, 4)) return fail("bad margins");
      spec.frameMargins = {n[0], n[1], n[2], n[3]};
    } else if (key == "track") {
      if (!detail::ParseInts(value, n, 4)) return fail("bad track");
      spec.track = {n[0], n[1], n[2], n[3]};
    } else if (key == "flags") {
      if (!detail::ParseFlags(value, &spec.flags)) return fail("unknown flag");
    } else if (key == "color") {
      char* end = nullptr;
      const unsigned long v = std::strtoul(value.c_str(), &end, 0);
      if (value.empty() || *end || v > 0xFFFFFFul) return fail("bad color");
      spec.color = static_cast<long>(v);
    } else if (key == "style" || key == "exstyle") {
      char* end = nullptr;
      const unsigned long v = std::strtoul(value.c_str(), &end, 0);
      if (value.empty() || *end) return fail("bad " + std::string(key));
      (key == "style" ? spec.style : spec.exStyle) = static_cast<DWORD>(v);
    } else {
      return fail("unknown key '" + std::string(key) + "'");
    }
  }
  if (!ValidId(spec.id)) return fail("missing or bad id");
  if (spec.className.empty()) return fail("empty class");
  return spec;
}

}  // namespace tvmtw
