#include "text/TextEdit.h"

#include <algorithm>

namespace zarvex {

std::optional<EditSpan> EditEndingAtCaret(std::size_t selectionStart, std::size_t lengthBefore,
                                          std::size_t caretAfter, std::size_t lengthAfter) {
  const std::size_t from = std::min(selectionStart, caretAfter);
  const std::size_t inserted = caretAfter - from;
  // A caret past the end shows as more removed than there was.
  if (lengthBefore + inserted < lengthAfter) {
    return std::nullopt;
  }
  const std::size_t removed = lengthBefore + inserted - lengthAfter;
  if (from + removed > lengthBefore) {
    return std::nullopt;
  }
  return EditSpan{from, removed, inserted};
}

}  // namespace zarvex
