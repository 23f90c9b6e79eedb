// Whether a change to a text box joins the undo step before it: one rule for every box of both
// windows, read from the change itself. A window says only what the text cannot show, where the
// change came from.
#pragma once

#include "text/TextChange.h"

namespace zarvex {

// Where a change came from, as far as the window knows.
enum class EditSource {
  kKeys,   // a key, or a character an input method committed
  kPaste,  // a paste, from the keyboard, the menu or the middle mouse button
  kCut,
  kDrop,
  kOther,  // anything else, such as a screen reader setting the text
};

enum class ChangeKind {
  kTyping,    // one character typed at the caret, whatever it replaced: a row of them is one step
  kDeletion,  // one character removed by a key: a row of them is one step
  kAdded,     // Add to Script: one step, whose redo shows the text as an add does
  kOwnStep,   // anything else: a step of its own
};

// `caretAfterInsert` says the caret ended just after the inserted text. A CR LF line break counts
// as one character.
[[nodiscard]] ChangeKind KindOfChange(const TextChange& change, EditSource source,
                                      bool caretAfterInsert);

}  // namespace zarvex
