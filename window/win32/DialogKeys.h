// Keeps the keys to the editor's rules where the dialog manager, which the window uses for Tab,
// would bend them: Esc in the script area would close the window, Tab into it would select the
// whole script, and Enter would press a push button that Tab made the default one. Enter in the
// script area still starts a new line.
#pragma once

#include <windows.h>

namespace zarvex {

// Call once, right after the control is created; false if it could not be hooked.
bool KeepScriptAreaKeys(HWND area);
bool KeepButtonKeys(HWND button);

}  // namespace zarvex
