// The one place the window's design (twips and points) becomes pixels, by the screen's
// resolution. Everything that has a size in the window asks here.
#pragma once

#include <windows.h>

#include "window/WindowLayout.h"

namespace zarvex {

class ScreenScale {
 public:
  explicit ScreenScale(int dotsPerInch) : dotsPerInch_(dotsPerInch) {}

  // The resolution the screen reports (LOGPIXELSX).
  [[nodiscard]] static ScreenScale OfScreen();

  [[nodiscard]] int DotsPerInch() const { return dotsPerInch_; }
  [[nodiscard]] int Pixels(int twips) const { return TwipsToPixels(twips, dotsPerInch_); }
  [[nodiscard]] RECT PixelRect(const ControlLayout& row) const;
  // A font's height for CreateFont: negative, so it measures the characters, not the cell.
  [[nodiscard]] int FontHeight(double points) const;

 private:
  int dotsPerInch_;
};

}  // namespace zarvex
