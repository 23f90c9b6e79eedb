// Where Ctrl+Left and Ctrl+Right stop, and so what Ctrl+Backspace and Ctrl+Delete remove: one rule
// for every text box of both windows. Going back, a line break is a stop of its own; otherwise
// blanks are skipped, then one run of word characters (letters, digits, underscore, anything
// beyond ASCII) or of other signs. Going forward, one run, then the blanks after it.
#pragma once

#include <cstddef>
#include <string_view>

namespace zarvex {

// Byte offsets in UTF-8 text; an offset past the end counts as the end.
[[nodiscard]] std::size_t WordStopBefore(std::string_view text, std::size_t offset);
[[nodiscard]] std::size_t WordStopAfter(std::string_view text, std::size_t offset);

}  // namespace zarvex
