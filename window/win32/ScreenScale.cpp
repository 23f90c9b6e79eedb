#include "window/win32/ScreenScale.h"

#include <cmath>

namespace zarvex {

ScreenScale ScreenScale::OfScreen() {
  const HDC screen = GetDC(nullptr);
  const int dotsPerInch = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return ScreenScale(dotsPerInch > 0 ? dotsPerInch : kTwipsPerInch / 15);
}

RECT ScreenScale::PixelRect(const ControlLayout& row) const {
  const int left = Pixels(row.left);
  const int top = Pixels(row.top);
  return {left, top, left + Pixels(row.width), top + Pixels(row.height)};
}

int ScreenScale::FontHeight(double points) const {
  constexpr double kPointsPerInch = 72.0;
  return -static_cast<int>(std::lround(points * dotsPerInch_ / kPointsPerInch));
}

}  // namespace zarvex
