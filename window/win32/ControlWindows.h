// Makes the Win32 child window for one row of the layout table: the window class and styles its
// kind calls for, at its place in pixels. The caller sets fonts, colours and the texts that the
// editor's state owns.
#pragma once

#include <windows.h>

#include <string_view>

#include "window/WindowLayout.h"
#include "window/win32/ScreenScale.h"

namespace zarvex {

[[nodiscard]] HWND CreateControlWindow(HWND parent, HINSTANCE instance, const ControlLayout& row,
                                       const ScreenScale& scale);

// Makes a drop-down list open eight entries high. Its entries' height follows its font, so this
// comes after the font is set.
void SizeOpenList(HWND list);

// A label of no size that names the control created right after it: accessibility tools name
// an edit box or a list by the label just above it in z-order.
HWND CreateNameLabel(HWND parent, HINSTANCE instance, std::string_view name);

}  // namespace zarvex
