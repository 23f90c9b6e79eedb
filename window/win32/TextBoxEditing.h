// Hands the editing of a text box (the script area, a value box) to the editor: the undo and word
// keys go to the window, which asks the controller, and each change the box makes is read back as
// one edit where it can be. Also keeps control characters out of the text, which the classic edit
// control would type for some Ctrl keys (Ctrl+Backspace types character 127 on Windows), gives the
// control a character typed as two halves as one, and keeps the control's own undo buffer, from
// which its context menu enables Undo, to what the editor can undo.
#pragma once

#include <windows.h>

#include <optional>

#include "text/TextEdit.h"

namespace zarvex {

// What the window does for a text box's editing keys and its context menu's Undo.
class TextBoxEditor {
 public:
  // Ctrl+Z, WM_UNDO and EM_UNDO; Ctrl+Y and Ctrl+Shift+Z with `redo`.
  virtual void UndoIn(HWND box, bool redo) = 0;
  [[nodiscard]] virtual bool CanUndoIn(HWND box) const = 0;
  // Ctrl+Backspace, or Ctrl+Delete going `forward`.
  virtual void DeleteWordIn(HWND box, bool forward) = 0;
  // Ctrl+Left or Ctrl+Right; with Shift, `extend` the selection.
  virtual void MoveByWordIn(HWND box, bool forward, bool extend) = 0;

 protected:
  TextBoxEditor() = default;
  ~TextBoxEditor() = default;
  TextBoxEditor(const TextBoxEditor&) = default;
  TextBoxEditor& operator=(const TextBoxEditor&) = default;
};

// Call once, after any other hook on the box; the editor must outlive the box. False if the box
// could not be hooked.
bool KeepTextBoxEditing(HWND box, TextBoxEditor& editor);

// While the box tells its parent of a change (EN_CHANGE): that change as one edit, in the box's
// own positions (UTF-16 code units, CR LF counting two), with where it came from. None when the
// change did not come from a message the box was handling, such as text set from outside, or
// cannot be read as one edit.
[[nodiscard]] std::optional<TextEdit> EditJustMade(HWND box);

// Where the box's selection was started and where its caret is.
[[nodiscard]] TextSelection SelectionOf(HWND box);

}  // namespace zarvex
