// Keeps the keys and the focus to the editor's rules where the dialog manager, which the window
// uses for Tab, would bend them: Esc in the script area would close the window, Tab into it would
// select the whole script, Enter would press a push button that Tab made the default one, and an
// arrow key in an option box or a button would walk the window order, through the labels. Enter in
// the script area still starts a new line; Tab and Ctrl+Tab there move the focus on, as elsewhere,
// whatever the edit control would do with them. Also makes the focus visible on an option box,
// whose own focus mark sits on the caption its width hides, and tells the window of script text set
// from outside the program.
#pragma once

#include <windows.h>

namespace zarvex {

// Call once, right after the control is created; false if it could not be hooked.
bool KeepScriptAreaKeys(HWND area);
bool KeepButtonKeys(HWND button);
bool KeepOptionBoxKeys(HWND box);

}  // namespace zarvex
