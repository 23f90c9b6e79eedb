// The backdrop picture, stretched once to the size of the picture control. It paints the picture
// and lends its pixels to the labels lying on it, which is how those labels look transparent.
#pragma once

#include <windows.h>

namespace zarvex {

class Backdrop {
 public:
  // Loads the bitmap resource at this size.
  Backdrop(HINSTANCE instance, int resourceId, SIZE size);
  ~Backdrop();
  Backdrop(const Backdrop&) = delete;
  Backdrop& operator=(const Backdrop&) = delete;

  // The stretched picture.
  [[nodiscard]] HBITMAP Bitmap() const { return bitmap_; }

  // Prepares dc so the returned brush paints the part of the picture beneath a control whose
  // top-left corner lies at offset within the picture.
  [[nodiscard]] HBRUSH BrushBeneath(HDC dc, POINT offset) const;

 private:
  HBITMAP bitmap_;
  HBRUSH brush_;
};

}  // namespace zarvex
