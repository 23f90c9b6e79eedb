#include "window/win32/Backdrop.h"

namespace zarvex {

namespace {

// Loads the bitmap at its own size and stretches it once. Letting LoadImage stretch it was the
// slowest step before the window first showed under Wine, for a picture drawn at one size only.
HBITMAP LoadStretched(HINSTANCE instance, int resourceId, SIZE size) {
  const auto natural = static_cast<HBITMAP>(
      LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, 0));
  if (natural == nullptr) {
    return nullptr;
  }
  BITMAP source{};
  GetObjectW(natural, sizeof source, &source);
  if (source.bmWidth == size.cx && source.bmHeight == size.cy) {
    return natural;
  }
  HDC screen = GetDC(nullptr);
  HDC from = CreateCompatibleDC(screen);
  HDC to = CreateCompatibleDC(screen);
  HBITMAP stretched = CreateCompatibleBitmap(screen, size.cx, size.cy);
  if (stretched != nullptr) {
    const HGDIOBJ oldFrom = SelectObject(from, natural);
    const HGDIOBJ oldTo = SelectObject(to, stretched);
    // Whole source pixels, never blends: the picture keeps exactly its own colours.
    SetStretchBltMode(to, COLORONCOLOR);
    StretchBlt(to, 0, 0, size.cx, size.cy, from, 0, 0, source.bmWidth, source.bmHeight, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
  }
  DeleteDC(from);
  DeleteDC(to);
  ReleaseDC(nullptr, screen);
  DeleteObject(natural);
  return stretched;
}

}  // namespace

Backdrop::Backdrop(HINSTANCE instance, int resourceId, SIZE size)
    : bitmap_(LoadStretched(instance, resourceId, size)), brush_(CreatePatternBrush(bitmap_)) {}

Backdrop::~Backdrop() {
  DeleteObject(brush_);
  DeleteObject(bitmap_);
}

HBRUSH Backdrop::BrushBeneath(HDC dc, POINT offset) const {
  SetBrushOrgEx(dc, -offset.x, -offset.y, nullptr);
  return brush_;
}

}  // namespace zarvex
