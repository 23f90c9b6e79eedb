#include "window/win32/Backdrop.h"

namespace zarvex {

Backdrop::Backdrop(HINSTANCE instance, int resourceId, SIZE size)
    : bitmap_(static_cast<HBITMAP>(
          LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, size.cx, size.cy, 0))),
      brush_(bitmap_ != nullptr ? CreatePatternBrush(bitmap_)
                                : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))) {}

Backdrop::~Backdrop() {
  if (bitmap_ != nullptr) {
    DeleteObject(brush_);
    DeleteObject(bitmap_);
  }
}

HBRUSH Backdrop::BrushBeneath(HDC dc, POINT offset) const {
  SetBrushOrgEx(dc, -offset.x, -offset.y, nullptr);
  return brush_;
}

}  // namespace zarvex
