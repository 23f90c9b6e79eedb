// How a change to a text box came about, which decides whether its undo step joins the one before.
#pragma once

namespace zarvex {

enum class ChangeKind {
  kTyped,       // a typed character or Enter: typing in a row is one step
  kDeletedKey,  // Backspace or Delete of one character: a row of them is one step
  kAdded,       // Add to Script: one step, whose redo shows the text as an add does
  kOther,       // a paste, a cut, a removed selection, a deleted word: one step each
};

}  // namespace zarvex
