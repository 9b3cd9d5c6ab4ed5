#pragma once
// A double of the control panel for the hook library's tests and benchmark: a window of class
// "TTavelmoorForm" titled "Tavelmoor ControlPanel" on a thread of its own in this process, found
// as the real one is, that answers WM_HOOK_GET_SIZE with the size the test sets, records
// WM_HOOK_RELEASED and counts the hook-handle questions it answers with 0. Header-only, for the i686 and the x86_64 test programs alike.
#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

#include "core/geometry.h"
#include "core/private_messages.h"
#include "win_support/process_helpers.h"

namespace tvmtest {

inline constexpr UINT kDoubleSleep = WM_APP + 0x300;  // posted: the double's thread sleeps wParam ms
inline constexpr UINT kDoubleQuit = WM_APP + 0x301;

// The control panel double.
class PanelDouble {
 public:
  PanelDouble() {
    thread_ = std::thread([this] { Run(); });
    WaitUntil([this] { return window_.load() != nullptr; }, 5s);
  }
  ~PanelDouble() {
    if (HWND w = window_.load()) PostMessageA(w, kDoubleQuit, 0, 0);
    thread_.join();
  }
  HWND Window() const { return window_.load(); }
  void Answer(core::PackedSize size) { answer_.store(size); }
  // The thread stops answering for `ms`. Sleeping() holds from the moment it has fallen asleep
  // until it wakes: a question sent before then is still answered, sent messages going first.
  void Hang(DWORD ms) { PostMessageA(Window(), kDoubleSleep, ms, 0); }
  bool Sleeping() const { return sleeping_.load(); }
  int SizeQuestions() const { return questions_.load(); }
  int HandleQuestions() const { return handleQuestions_.load(); }
  std::vector<HWND> Released() {
    std::vector<HWND> out;
    for (int i = 0; i < releasedCount_.load(); ++i) out.push_back(released_[i]);
    return out;
  }

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<PanelDouble*>(GetWindowLongPtrA(w, GWLP_USERDATA));
    if (!self) return DefWindowProcA(w, m, wParam, lParam);
    switch (m) {
      case msg::WM_HOOK_GET_SIZE:
        ++self->questions_;
        return static_cast<LRESULT>(self->answer_.load());
      case msg::WM_HOOK_GET_HANDLE:
        ++self->handleQuestions_;
        return 0;
      case msg::WM_HOOK_RELEASED: {
        const int i = self->releasedCount_.load();
        if (i < kMaxReleased) {
          self->released_[i] = reinterpret_cast<HWND>(wParam);
          self->releasedCount_.store(i + 1);
        }
        return 0;
      }
      case kDoubleSleep:
        self->sleeping_.store(true);
        Sleep(static_cast<DWORD>(wParam));
        self->sleeping_.store(false);
        return 0;
      case kDoubleQuit:
        DestroyWindow(w);
        PostQuitMessage(0);
        return 0;
      default:
        return DefWindowProcA(w, m, wParam, lParam);
    }
  }

  void Run() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = ident::ControlPanelClass;
    RegisterClassA(&wc);  // a second double finds it registered
    HWND w = CreateWindowExA(0, ident::ControlPanelClass, ident::ControlPanelTitle, WS_POPUP, 0, 0, 10, 10,
                             nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    window_.store(w);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) DispatchMessageA(&m);
  }

  static constexpr int kMaxReleased = 16;
  std::thread thread_;
  std::atomic<HWND> window_{nullptr};
  std::atomic<core::PackedSize> answer_{0};
  std::atomic<bool> sleeping_{false};
  std::atomic<int> questions_{0};
  std::atomic<int> handleQuestions_{0};
  std::atomic<int> releasedCount_{0};
  HWND released_[kMaxReleased] = {};
};

}  // namespace tvmtest
