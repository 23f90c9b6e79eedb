// Reads UTF-8 one character at a time, strictly: overlong forms, surrogates and values past
// U+10FFFF count as invalid, one byte at a time, so a reader can replace each and carry on.
#pragma once

#include <cstddef>
#include <string_view>

namespace zarvex {

inline constexpr char32_t kInvalidUtf8 = 0xFFFFFFFF;

// Whether every byte is plain ASCII. Reads the whole text with no early exit, which lets the
// compiler check many bytes at once: this runs over the whole script on every save.
[[nodiscard]] bool IsAscii(std::string_view text);

// Decodes the character that starts at text[position] and moves position past it. For an invalid
// sequence it returns kInvalidUtf8 and moves past one byte.
[[nodiscard]] char32_t NextUtf8Char(std::string_view text, std::size_t& position);

}  // namespace zarvex
