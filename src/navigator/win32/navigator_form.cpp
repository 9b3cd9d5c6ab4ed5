#include "navigator/win32/navigator_form.h"

#include "forms/navigator_form.h"
#include "navigator/shot_order.h"
#include "navigator/win32/window_shots.h"
#include "platform/screen_metrics.h"
#include "toolkit/application.h"
#include "toolkit/guard.h"

namespace navigator {

namespace {

// The caption font is one point smaller than the form's font.
int32_t CaptionFontSize(int fontHeightPixels) {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return MulDiv(fontHeightPixels, 72, dpi > 0 ? dpi : 96) - 1;
}

// Without the control panel: both axes, no shots, and steps that go nowhere.
class NoHost final : public NavigatorHost {
 public:
  int32_t DoXMove() const override { return 1; }
  int32_t DoYMove() const override { return 1; }
  bool ShowGlyphs() const override { return false; }
  void SetPendingDX(int32_t) override {}
  void SetPendingDY(int32_t) override {}
  void RepaintSoon() override {}
  void MoveWindowBy(WindowHandle, core::Point, int64_t, int64_t) override {}
  void WindowsPlaced(std::span<const Placement>) override {}
};

}  // namespace

TNavigator::TNavigator(DesktopModel& model, HWND controlPanel, const core::ProgramEnd& end)
    : tk::TForm(forms::NavigatorForm()), model_(model), controlPanel_(controlPanel), end_(end) {}

TNavigator::~TNavigator() {
  if (BackgroundBitmap.handle) DeleteObject(BackgroundBitmap.handle);
  Gone();
}

void TNavigator::Gone() {
  if (!OnGone) return;
  const std::function<void()> gone = std::move(OnGone);
  OnGone = nullptr;
  gone();
}

void TNavigator::FormCreate() {
  Busy = true;
  FontSize = CaptionFontSize(Description().fontHeight);
  BackgroundBitmap = {};
  UseBackground = false;
}

void TNavigator::FormDestroy() {
  // Options changed since the last hide are written before anything is freed; a failing save
  // reports its own error and the freeing still runs.
  if (OnSaveSettings) tk::Guarded([this] { OnSaveSettings(); });
  if (BackgroundBitmap.handle) DeleteObject(BackgroundBitmap.handle);
  BackgroundBitmap = {};
  // From here on the control panel reaches nothing of the form; the entries stay with the model.
  Gone();
}

LRESULT TNavigator::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // the painting covers everything; erasing first would only flicker
    case WM_NCPAINT:
      return 0;  // no frame to paint
    case WM_PAINT:
      PaintBox1Paint();
      return 0;
    case WM_CAPTURECHANGED:
      return 0;
    default:
      if (HandleMouse(msg, wParam, lParam)) return 0;
      return tk::TForm::WndProc(msg, wParam, lParam);
  }
}

bool TNavigator::Suspended() const { return Busy || end_.Requested(); }

NavigatorHost& TNavigator::Host() {
  static NoHost none;
  return host_ ? *host_ : none;
}

core::Size TNavigator::PanelSize() const {
  RECT r{};
  if (!GetClientRect(Handle(), &r)) return {};
  return {r.right - r.left, r.bottom - r.top};
}

void TNavigator::PaintBox1Paint() {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(Handle(), &ps);
  // While suspended the previous picture stays: the background is never erased.
  if (dc && !Suspended()) {
    tk::Guarded([&] {
      PaintRequest q;
      q.store = &Store();
      q.host = &Host();
      q.virtualScreen = model_.Screen().Current().virtualScreen;
      q.useBackground = UseBackground;
      q.background = BackgroundBitmap;
      q.fontSizePoints = FontSize;
      painter_.Paint(dc, PanelSize(), q, layout_);
    });
  }
  EndPaint(Handle(), &ps);
}

bool TNavigator::HandleMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
  const MouseMessage m = ReadMouseMessage(msg, wParam, lParam);
  if (m.event == MouseEvent::None) return false;
  tk::Guarded([&] {
    switch (m.event) {
      case MouseEvent::Down:
        // A left drag goes on beyond the navigator's edge; a right drag released outside it is
        // ended by the control panel.
        if (m.button == MouseButton::Left) SetCapture(Handle());
        mouse_.Down(m.button, m.at, PanelSize(), layout_, Store(), Host(), mouseSeam_);
        break;
      case MouseEvent::Move: mouse_.Move(PanelSize(), Host(), mouseSeam_); break;
      case MouseEvent::Up:
        if (GetCapture() == Handle()) ReleaseCapture();
        mouse_.Up(ShowMode, mouseSeam_);
        break;
      case MouseEvent::Wheel: mouse_.Wheel(m.wheelDelta, Host()); break;
      case MouseEvent::None: break;
    }
  });
  return true;
}

void TNavigator::EndWindowDrag() { mouse_.Up(ShowMode, mouseSeam_); }

void TNavigator::CaptureNextShot() {
  navigator::CaptureNextShot(Store(), Host().ShowGlyphs(), Visible(), model_.Screen().Current().virtualScreen);
}

void TNavigator::RequestShot(HWND window) { navigator::RequestShot(Store(), ToHandle(window)); }

}  // namespace navigator
