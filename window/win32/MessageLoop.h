// The editor's message loop. Keyboard messages go through the dialog manager first, which gives
// the window Tab and Shift+Tab between its controls and arrow keys in groups.
#pragma once

#include <windows.h>

namespace zarvex {

// Runs until the window is gone (closing it ends the editor at once) and returns the program's
// exit code.
int RunMessageLoop(HWND window);

// Handles every message waiting now, the same way, and returns; for tests that drive the window.
void HandlePendingMessages(HWND window);

}  // namespace zarvex
