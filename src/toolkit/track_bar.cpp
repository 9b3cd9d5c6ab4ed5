#include "toolkit/track_bar.h"

#include <commctrl.h>

#include <algorithm>

#include "toolkit/form.h"

namespace tk {

TTrackBar::TTrackBar(TForm& form, const ComponentDescription& d)
    : TControl(form, d), position_(std::clamp(d.range.position, d.range.min, d.range.max)) {
  CreateHandle(TRACKBAR_CLASSA, TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM | (d.tabOrder >= 0 ? WS_TABSTOP : 0));
  SendMessageA(hwnd_, TBM_SETRANGEMIN, FALSE, d.range.min);
  SendMessageA(hwnd_, TBM_SETRANGEMAX, FALSE, d.range.max);
  SendMessageA(hwnd_, TBM_SETLINESIZE, 0, d.range.lineSize);
  SendMessageA(hwnd_, TBM_SETPAGESIZE, 0, d.range.pageSize);
  SendMessageA(hwnd_, TBM_SETTICFREQ, d.range.frequency, 0);
  SendMessageA(hwnd_, TBM_SETPOS, TRUE, position_);
}

void TTrackBar::SetPosition(int position) {
  position = std::clamp(position, Min(), Max());
  if (position == position_) return;
  position_ = position;
  SendMessageA(hwnd_, TBM_SETPOS, TRUE, position);
  if (!form_.Loading() && OnChange) OnChange();
}

bool TTrackBar::OnScroll(WORD) {
  const int now = static_cast<int>(SendMessageA(hwnd_, TBM_GETPOS, 0, 0));
  if (now != position_) {
    position_ = now;
    if (OnChange) OnChange();
  }
  return true;
}

}  // namespace tk
