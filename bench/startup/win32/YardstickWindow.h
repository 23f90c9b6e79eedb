// The frame both Win32 yardsticks share: a top-level window with the editor's caption, client size
// and frame style, DPI-aware as the editor's manifest declares it, and the message loop that runs
// it until it is closed. What a yardstick puts inside is its own.
#pragma once

#include <windows.h>

namespace zarvex {

struct YardstickWindow {
  HWND window = nullptr;  // null when it could not be made
  int dotsPerInch = 96;
};

// extraStyle is added to the editor's frame style.
[[nodiscard]] YardstickWindow CreateYardstickWindow(HINSTANCE instance, const wchar_t* className,
                                                    DWORD extraStyle);

// Shows the window and runs its messages until it is closed; returns the program's exit code.
int RunYardstickWindow(HWND window, int showCommand);

}  // namespace zarvex
