// The window's three fonts, made once at the screen's scale and shared by every control that
// uses them; released with the window.
#pragma once

#include <windows.h>

#include "window/WindowLayout.h"
#include "window/win32/ScreenScale.h"

namespace zarvex {

class WindowFonts {
 public:
  explicit WindowFonts(const ScreenScale& scale);
  ~WindowFonts();
  WindowFonts(const WindowFonts&) = delete;
  WindowFonts& operator=(const WindowFonts&) = delete;

  // The font of a layout row; rows with a font of their own not known here get the default.
  [[nodiscard]] HFONT For(const FontSpec& font) const;

 private:
  HFONT defaultFont_;
  HFONT labelFont_;
  HFONT scriptFont_;
};

}  // namespace zarvex
