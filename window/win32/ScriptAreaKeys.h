// Keeps the script area's keys to the editor's rules, whatever the edit control would do inside a
// dialog: Esc does nothing there (it would close the window), and focus arriving by Tab leaves the
// caret where it was (the dialog manager would select the whole script). Enter still starts a new
// line.
#pragma once

#include <windows.h>

namespace zarvex {

// Call once, right after the script area is created; false if the control could not be hooked.
bool KeepScriptAreaKeys(HWND area);

}  // namespace zarvex
