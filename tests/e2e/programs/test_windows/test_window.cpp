#include "test_window.h"

#include <cctype>
#include <map>
#include <memory>

#include "commands.h"
#include "core/private_messages.h"
#include "programs/window_marks.h"

namespace tvmtw {
namespace {

struct WindowState {
  unsigned flags = 0;
  WNDPROC base = nullptr;  // the system class's procedure when its name was taken
  bool served = false;     // creation and showing are over
  DWORD moveDelayMs = 0;   // each move waits this long first
  long color = -1;         // 0xRRGGBB of the client area, -1: the class's brush
  TrackSizes track;
  LRESULT sizeRequests = 0;  // size changes asked of it since it was shown
  MoveAnswer moveAnswer = kTakesMoves;
  int heldX = 0;
};

void MoveItselfBy(HWND hwnd, int dx, int dy) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  SetWindowPos(hwnd, nullptr, r.left + dx, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Class name (lower case, as Windows compares) -> whether it is ours or a taken system class.
std::map<std::string, bool>& Classes() {
  static std::map<std::string, bool> classes;
  return classes;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string LastErrorText(const char* what) { return std::string(what) + " failed, error " + std::to_string(GetLastError()); }

WindowState* StateOf(HWND hwnd) { return reinterpret_cast<WindowState*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

HWND CreateOnCommand(UINT command, WPARAM wParam, LPARAM lParam);

void ReportReleaseIfMoved(HWND hwnd, const WINDOWPOS& pos) {
  if (pos.flags & SWP_NOMOVE) return;
  RECT now{};
  GetWindowRect(hwnd, &now);
  if (pos.x == now.left && pos.y == now.top) return;
  if (HWND panel = FindWindowExA(nullptr, nullptr, ident::ControlPanelClass, ident::ControlPanelTitle)) {
    SendMessageA(panel, msg::WM_HOOK_RELEASED, reinterpret_cast<WPARAM>(hwnd), 0);
  }
}

LRESULT CALLBACK TestWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowState* state = StateOf(hwnd);
  switch (message) {
    case WM_NCCREATE:
      state = static_cast<WindowState*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
      break;
    case WM_GETMINMAXINFO: {
      // By default sizes from 1x1 to far beyond the screen, as scenarios ask for them.
      const TrackSizes track = state ? state->track : TrackSizes{};
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize = {track.minWidth, track.minHeight};
      info->ptMaxTrackSize = {track.maxWidth, track.maxHeight};
      return 0;
    }
    case WM_WINDOWPOSCHANGING:
      if (state && state->served && !(reinterpret_cast<WINDOWPOS*>(lParam)->flags & SWP_NOSIZE)) {
        ++state->sizeRequests;
      }
      if (state && state->served && !(reinterpret_cast<WINDOWPOS*>(lParam)->flags & SWP_NOMOVE) &&
          state->moveDelayMs) {
        Sleep(state->moveDelayMs);
      }
      if (state && state->served && (state->flags & kReleaseOnMove)) {
        ReportReleaseIfMoved(hwnd, *reinterpret_cast<WINDOWPOS*>(lParam));
      }
      if (auto* pos = reinterpret_cast<WINDOWPOS*>(lParam); state && state->served && !(pos->flags & SWP_NOMOVE)) {
        if (state->moveAnswer == kRefusesOneMove) {
          pos->flags |= SWP_NOMOVE;
          state->moveAnswer = kTakesMoves;
        } else if (state->moveAnswer == kHoldsAtX) {
          pos->x = state->heldX;
        }
      }
      break;
    case WM_ERASEBKGND:
      if (state && state->color >= 0) {
        RECT client{};
        GetClientRect(hwnd, &client);
        const long c = state->color;
        HBRUSH brush = CreateSolidBrush(RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF));
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        DeleteObject(brush);
        return 1;
      }
      break;
    case kCommandSleep:
      Sleep(static_cast<DWORD>(wParam));
      if (lParam == kThenMoveItselfLeft10) MoveItselfBy(hwnd, -10, 0);
      if (lParam == kThenMinimize) ShowWindow(hwnd, SW_MINIMIZE);
      return 0;
    case kCommandMoveAnswer:
      if (state) {
        state->moveAnswer = static_cast<MoveAnswer>(wParam);
        state->heldX = static_cast<int>(lParam);
      }
      return 0;
    case kCommandMoveItself:
      MoveItselfBy(hwnd, static_cast<int>(static_cast<INT_PTR>(wParam)), static_cast<int>(lParam));
      return 0;
    case kCommandMoveDelay:
      if (state) state->moveDelayMs = static_cast<DWORD>(wParam);
      return 0;
    case kCommandSizeRequests:
      return state ? state->sizeRequests : 0;
    case kCommandCreate:
    case kCommandCreateOwnThread:
      return reinterpret_cast<LRESULT>(CreateOnCommand(message, wParam, lParam));
    case kCommandDestroy:
      DestroyWindow(hwnd);
      return 0;
    case kCommandShow:
      ShowWindow(hwnd, static_cast<int>(wParam));
      return 0;
    case WM_GETICON:
      if (state && state->served && (state->flags & kReleaseOnIcon)) {
        if (HWND panel = FindWindowExA(nullptr, nullptr, ident::ControlPanelClass, ident::ControlPanelTitle)) {
          SendMessageA(panel, msg::WM_HOOK_RELEASED, reinterpret_cast<WPARAM>(hwnd), 0);
        }
      }
      break;
    case WM_CLOSE:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      if (state && state->base) {
        const WNDPROC base = state->base;
        delete state;
        return CallWindowProcA(base, hwnd, message, wParam, lParam);
      }
      delete state;
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  if (state && state->base) return CallWindowProcA(state->base, hwnd, message, wParam, lParam);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void Mark(HWND hwnd, const WindowSpec& spec) {
  if (spec.flags & kCloaked) SetPropA(hwnd, kCloakedProperty, reinterpret_cast<HANDLE>(1));
  const int margins[4] = {spec.frameMargins.left, spec.frameMargins.top, spec.frameMargins.right,
                          spec.frameMargins.bottom};
  for (int i = 0; i < 4; ++i) {
    if (margins[i]) SetPropA(hwnd, kFrameMarginProperties[i], reinterpret_cast<HANDLE>(static_cast<INT_PTR>(margins[i])));
  }
}

struct HungStart {
  const WindowSpec* spec;
  HWND owner;
  HWND created = nullptr;
  std::string error;
  HANDLE ready;
};

DWORD WINAPI HungThread(void* parameter) {
  auto* start = static_cast<HungStart*>(parameter);
  start->created = CreateTestWindow(*start->spec, start->owner, &start->error);
  const bool created = start->created != nullptr;
  SetEvent(start->ready);  // `start` is gone from here on
  if (!created) return 1;
  for (;;) Sleep(INFINITE);
}

// Like HungThread, but the thread goes on answering its window's messages.
DWORD WINAPI ServingThread(void* parameter) {
  auto* start = static_cast<HungStart*>(parameter);
  start->created = CreateTestWindow(*start->spec, start->owner, &start->error);
  const bool created = start->created != nullptr;
  SetEvent(start->ready);
  if (!created) return 1;
  MSG m;
  while (GetMessageA(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  return 0;
}

HWND CreateOnThread(LPTHREAD_START_ROUTINE routine, const WindowSpec& spec, HWND owner, std::string* error) {
  HungStart start{&spec, owner, nullptr, {}, CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  HANDLE thread = CreateThread(nullptr, 0, routine, &start, 0, nullptr);
  if (!thread) {
    CloseHandle(start.ready);
    *error = LastErrorText("CreateThread");
    return nullptr;
  }
  // Creating and showing it may send to windows of this thread (its owner, the one it
  // deactivates): answer those while waiting.
  while (MsgWaitForMultipleObjects(1, &start.ready, FALSE, INFINITE, QS_SENDMESSAGE) != WAIT_OBJECT_0) {
    MSG m;
    PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  CloseHandle(start.ready);
  CloseHandle(thread);
  if (!start.created) *error = start.error;
  return start.created;
}

HWND CreateOnCommand(UINT command, WPARAM wParam, LPARAM lParam) {
  static int created = 0;
  WindowSpec spec;
  spec.id = "made" + std::to_string(++created);
  spec.title = "Test window " + spec.id;
  spec.x = static_cast<short>(LOWORD(wParam));
  spec.y = static_cast<short>(HIWORD(wParam));
  spec.width = LOWORD(lParam);
  spec.height = HIWORD(lParam);
  std::string error;
  if (!PrepareClass(spec.className, false, &error)) return nullptr;
  if (command == kCommandCreateOwnThread) return CreateOnThread(ServingThread, spec, nullptr, &error);
  return CreateTestWindow(spec, nullptr, &error);
}

}  // namespace

bool PrepareClass(const std::string& className, bool withIcon, std::string* error) {
  const std::string key = Lower(className);
  if (Classes().count(key)) return true;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = TestWindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  if (withIcon) wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = className.c_str();
  if (RegisterClassExA(&wc)) {
    Classes()[key] = true;
    return true;
  }
  // A name the system holds (a predefined control class, say): use that class and subclass
  // each window, so the window still carries the asked-for class name.
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(nullptr, className.c_str(), &existing)) {
    Classes()[key] = false;
    return true;
  }
  *error = LastErrorText(("RegisterClassEx(" + className + ")").c_str());
  return false;
}

HWND CreateTestWindow(const WindowSpec& spec, HWND owner, std::string* error) {
  const auto known = Classes().find(Lower(spec.className));
  if (known == Classes().end()) {
    *error = "class " + spec.className + " not prepared";
    return nullptr;
  }
  const bool ours = known->second;
  DWORD style = ((spec.flags & kPopup) ? WS_POPUP | WS_BORDER : WS_OVERLAPPEDWINDOW) | spec.style;
  if (spec.flags & kMinimized) style |= WS_MINIMIZE;
  if (spec.flags & kMaximized) style |= WS_MAXIMIZE;
  DWORD exStyle = spec.exStyle;
  if (spec.flags & kTool) exStyle |= WS_EX_TOOLWINDOW;
  if (spec.flags & kTopmost) exStyle |= WS_EX_TOPMOST;

  auto state = std::make_unique<WindowState>();
  state->flags = spec.flags;
  state->color = spec.color;
  state->track = spec.track;
  HWND hwnd = CreateWindowExA(exStyle, spec.className.c_str(), spec.title.c_str(), style & ~WS_VISIBLE, spec.x,
                              spec.y, spec.width, spec.height, owner, nullptr, GetModuleHandleA(nullptr),
                              ours ? state.get() : nullptr);
  if (!hwnd) {
    *error = LastErrorText(("CreateWindowEx(" + spec.id + ")").c_str());
    return nullptr;
  }
  WindowState* kept = state.release();
  if (!ours) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(kept));
    kept->base = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TestWindowProc)));
    // The system class limited the size while it was being created; now our limits apply.
    if (!(style & (WS_MINIMIZE | WS_MAXIMIZE))) {
      SetWindowPos(hwnd, nullptr, spec.x, spec.y, spec.width, spec.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  Mark(hwnd, spec);
  if (!(spec.flags & kHidden)) {
    const int show = (spec.flags & kMinimized)   ? SW_SHOWMINNOACTIVE
                     : (spec.flags & kMaximized) ? SW_SHOWMAXIMIZED
                                                 : SW_SHOWNOACTIVATE;
    ShowWindow(hwnd, show);
  }
  kept->served = true;
  return hwnd;
}

HWND CreateHungTestWindow(const WindowSpec& spec, HWND owner, std::string* error) {
  return CreateOnThread(HungThread, spec, owner, error);
}

}  // namespace tvmtw
