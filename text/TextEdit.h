// One change to a text box as its widget reports it, in the widget's own positions (see
// TextUnits), so that a keystroke costs the same on a large script as on an empty one.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "text/ChangeKind.h"

namespace zarvex {

// At `position`, `removed` positions gave way to `inserted` (UTF-8), and the caret ended at
// `caret`.
struct TextEdit {
  std::size_t position = 0;
  std::size_t removed = 0;
  std::string inserted;
  std::size_t caret = 0;
  EditSource source = EditSource::kKeys;
};

// A box's selection: where it was started and where the caret is, the same when nothing is
// selected.
struct TextSelection {
  std::size_t anchor = 0;
  std::size_t caret = 0;
};

// Where an edit lies, in positions, without its text.
struct EditSpan {
  std::size_t position = 0;
  std::size_t removed = 0;
  std::size_t inserted = 0;
};

// The edit that typing, a paste, a cut or a deleted character made, read from the box before and
// after it: such an edit replaces the selection, or a character beside the caret, and leaves the
// caret just after what it put in. None when the lengths and the caret cannot come from one.
[[nodiscard]] std::optional<EditSpan> EditEndingAtCaret(std::size_t selectionStart,
                                                        std::size_t lengthBefore,
                                                        std::size_t caretAfter,
                                                        std::size_t lengthAfter);

}  // namespace zarvex
