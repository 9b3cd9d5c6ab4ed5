#include "navigator/win32/overview_painter.h"

#include <algorithm>

#include "navigator/overview_plan.h"

namespace navigator {
namespace {

constexpr COLORREF kViewportColour = RGB(255, 0, 0);

// A memory DC with one object selected into it, put back and freed at the end of the scope.
class MemoryDc {
 public:
  explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
  ~MemoryDc() {
    if (!dc_) return;
    if (old_) SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC get() const { return dc_; }
  bool Select(HGDIOBJ object) {
    if (!dc_ || !object) return false;
    HGDIOBJ previous = SelectObject(dc_, object);
    if (!previous || previous == HGDI_ERROR) return false;
    if (!old_) old_ = previous;
    return true;
  }

 private:
  HDC dc_;
  HGDIOBJ old_ = nullptr;
};

// A GDI object made for one painting, deleted at the end of the scope (after it has been
// selected out again).
class Owned {
 public:
  explicit Owned(HGDIOBJ object) : object_(object) {}
  ~Owned() {
    if (object_) DeleteObject(object_);
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  HGDIOBJ get() const { return object_; }

 private:
  HGDIOBJ object_;
};

void Line(HDC dc, COLORREF colour, int x1, int y1, int x2, int y2, int x3, int y3) {
  SetDCPenColor(dc, colour);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  LineTo(dc, x3, y3);
}

void Fill(HDC dc, int left, int top, int right, int bottom, int sysColour) {
  const RECT r{left, top, right, bottom};
  FillRect(dc, &r, GetSysColorBrush(sysColour));
}

void DrawWindow(HDC dc, const tAppWin& e, core::Rect r, int fontPixels) {
  Line(dc, GetSysColor(COLOR_BTNHIGHLIGHT), r.left, r.bottom, r.left, r.top, r.right, r.top);
  Line(dc, GetSysColor(COLOR_GRAYTEXT), r.right, r.top, r.right, r.bottom, r.left, r.bottom);
  const int x1 = r.left + 1;
  const int y1 = r.top + 1;
  const int x2 = r.right;
  const int y2 = r.bottom;
  // A window whose caption bar is taller than its drawing gets a bar reaching below it.
  const int barBottom = y1 + fontPixels + 4;
  Fill(dc, x1, y1, x2, barBottom, e.IsForeground ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
  SetTextColor(dc, GetSysColor(e.IsForeground ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  const RECT bar{x1, y1, x2, barBottom};
  if (!e.Caption.empty() && x2 > x1) {
    ExtTextOutA(dc, x1 + 1, y1 + 1, ETO_CLIPPED, &bar, e.Caption.data(), static_cast<UINT>(e.Caption.size()), nullptr);
  }
  Fill(dc, x1, barBottom, x2, y2, COLOR_ACTIVEBORDER);
  if (e.Icon) DrawIcon(dc, x1 + 2, barBottom + 2, reinterpret_cast<HICON>(e.Icon));
}

}  // namespace

OverviewPainter::~OverviewPainter() {
  DropBackgroundTiles();
  if (buffer_) DeleteObject(buffer_);
  if (font_) DeleteObject(font_);
  for (Scaled& s : scaled_) DeleteObject(s.bitmap);
}

HBITMAP OverviewPainter::ScaledShot(HDC target, const tAppWin& e, core::Size size) {
  for (Scaled& s : scaled_) {
    if (s.version == e.ShotVersion && s.size == size) {
      s.used = true;
      return s.bitmap;
    }
  }
  HBITMAP bitmap = CreateCompatibleBitmap(target, size.width, size.height);
  if (!bitmap) return nullptr;
  bool copied = false;
  {
    MemoryDc from(target);
    MemoryDc to(target);
    if (from.Select(reinterpret_cast<HBITMAP>(e.Shot)) && to.Select(bitmap)) {
      SetStretchBltMode(to.get(), HALFTONE);
      SetBrushOrgEx(to.get(), 0, 0, nullptr);
      copied = StretchBlt(to.get(), 0, 0, size.width, size.height, from.get(), 0, 0, e.ShotSize.width,
                          e.ShotSize.height, SRCCOPY) != FALSE;
    }
  }
  // Both DCs have given the bitmaps back by now.
  if (!copied) {
    DeleteObject(bitmap);
    return nullptr;
  }
  scaled_.push_back({e.ShotVersion, size, bitmap, true});
  return bitmap;
}

void OverviewPainter::DropUnusedShots() {
  std::erase_if(scaled_, [](Scaled& s) {
    if (s.used) {
      s.used = false;
      return false;
    }
    DeleteObject(s.bitmap);
    return true;
  });
}

HBRUSH OverviewPainter::BackgroundTiles(HDC target, const NavigatorBitmap& picture, core::Size size) {
  const core::Size pictureSize{picture.width, picture.height};
  if (tiles_.brush && tiles_.picture == picture.handle && tiles_.version == picture.version &&
      tiles_.pictureSize == pictureSize && tiles_.panel == size) {
    return tiles_.brush;
  }
  DropBackgroundTiles();
  const core::Size shown{std::min(picture.width, size.width), std::min(picture.height, size.height)};
  HBRUSH brush = nullptr;
  if (shown == pictureSize) {
    brush = CreatePatternBrush(picture.handle);
  } else if (HBITMAP part = CreateCompatibleBitmap(target, shown.width, shown.height)) {
    bool copied = false;
    {
      MemoryDc from(target);
      MemoryDc to(target);
      copied = from.Select(picture.handle) && to.Select(part) &&
               BitBlt(to.get(), 0, 0, shown.width, shown.height, from.get(), 0, 0, SRCCOPY) != FALSE;
    }
    // Both DCs have given the bitmaps back by now; the brush keeps a copy of its own.
    if (copied) brush = CreatePatternBrush(part);
    DeleteObject(part);
  }
  if (!brush) return nullptr;
  tiles_ = {picture.handle, picture.version, pictureSize, size, brush};
  return brush;
}

void OverviewPainter::DropBackgroundTiles() {
  if (tiles_.brush) DeleteObject(tiles_.brush);
  tiles_ = {};
}

HBITMAP OverviewPainter::BackBuffer(HDC target, core::Size size) {
  if (buffer_ && bufferSize_ == size) return buffer_;
  if (buffer_) DeleteObject(buffer_);
  buffer_ = CreateCompatibleBitmap(target, size.width, size.height);
  bufferSize_ = buffer_ ? size : core::Size{};
  return buffer_;
}

HFONT OverviewPainter::CaptionFont(HDC target, int points) {
  if (font_ && fontPoints_ == points) return font_;
  if (font_) DeleteObject(font_);
  const int dpi = std::max(GetDeviceCaps(target, LOGPIXELSY), 1);
  fontPixels_ = MulDiv(std::max(points, 1), dpi, 72);
  font_ = CreateFontA(-fontPixels_, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial Unicode MS");
  fontPoints_ = points;
  return font_;
}

void OverviewPainter::Paint(HDC target, core::Size size, const PaintRequest& q, OverviewLayout& layout) {
  if (size.width <= 0 || size.height <= 0 || !q.store || !q.host) return;
  NavigatorHost& host = *q.host;
  const OverviewPlan plan = PlanOverview(*q.store, {q.virtualScreen, host.DoXMove(), host.DoYMove(), size});
  if (plan.fromOldEntries) host.RepaintSoon();
  try {
    HBITMAP buffer = BackBuffer(target, size);
    MemoryDc canvas(target);
    if (!canvas.Select(buffer)) {
      host.RepaintSoon();
      return;
    }
    HDC dc = canvas.get();
    layout.extent = plan.extent;

    const RECT all{0, 0, size.width, size.height};
    if (q.useBackground && !q.background.Empty()) {
      // A pattern brush tiles the picture from the corner in one call, however small it is.
      HBRUSH tiles = BackgroundTiles(target, q.background, size);
      SetBrushOrgEx(dc, 0, 0, nullptr);
      FillRect(dc, &all, tiles ? tiles : GetSysColorBrush(COLOR_BACKGROUND));
    } else {
      FillRect(dc, &all, GetSysColorBrush(COLOR_BACKGROUND));
    }

    SelectObject(dc, GetStockObject(DC_PEN));
    SetBkMode(dc, TRANSPARENT);
    HFONT font = CaptionFont(target, q.fontSizePoints);
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    const bool glyphs = host.ShowGlyphs();
    MemoryDc shots(target);

    for (auto it = plan.entries.rbegin(); it != plan.entries.rend(); ++it) {
      tAppWin& e = *it->entry;
      const core::Rect r = it->panelRect;
      e.PanelRect = r;
      e.PanelDrawn = true;
      const core::Size drawn = r.size();
      if (glyphs && e.HasShot && e.Shot && e.ShotSize.width > 0 && e.ShotSize.height > 0) {
        if (drawn.width > 0 && drawn.height > 0) {
          HBITMAP scaled = ScaledShot(target, e, drawn);
          if (scaled && shots.Select(scaled)) {
            BitBlt(dc, r.left, r.top, drawn.width, drawn.height, shots.get(), 0, 0, SRCCOPY);
          }
        }
        continue;
      }
      DrawWindow(dc, e, r, fontPixels_);
    }
    if (oldFont) SelectObject(dc, oldFont);

    {
      Owned dash(CreatePen(PS_DASH, 1, kViewportColour));
      HGDIOBJ oldPen = SelectObject(dc, dash.get() ? dash.get() : GetStockObject(DC_PEN));
      if (!dash.get()) SetDCPenColor(dc, kViewportColour);
      const core::Rect v = plan.viewport.rect;
      MoveToEx(dc, v.left, v.top, nullptr);
      LineTo(dc, v.right, v.top);
      LineTo(dc, v.right, v.bottom);
      LineTo(dc, v.left, v.bottom);
      LineTo(dc, v.left, v.top);
      SelectObject(dc, oldPen);
    }
    layout.viewCenter = plan.viewport.center;
    BitBlt(target, 0, 0, size.width, size.height, dc, 0, 0, SRCCOPY);
    DropUnusedShots();
  } catch (...) {
    // The rest of the picture is not drawn; the panel repaints within three scans.
    host.RepaintSoon();
  }
}

}  // namespace navigator
