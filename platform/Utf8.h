// Reads and writes UTF-8 one character at a time. Reading is strict: overlong forms, surrogates and
// values past U+10FFFF count as invalid, one byte at a time, so a reader can replace each and carry
// on.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace zarvex {

inline constexpr char32_t kInvalidUtf8 = 0xFFFFFFFF;

// How many bytes at the start of the text are plain ASCII. Checks eight bytes at a time: saving
// runs this over the whole script.
[[nodiscard]] std::size_t AsciiPrefixLength(std::string_view text);

[[nodiscard]] inline bool IsAscii(std::string_view text) {
  return AsciiPrefixLength(text) == text.size();
}

// Whether the byte continues a multi-byte character rather than starting one.
[[nodiscard]] constexpr bool IsUtf8Continuation(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// Decodes the character that starts at text[position] and moves position past it. For an invalid
// sequence it returns kInvalidUtf8 and moves past one byte.
[[nodiscard]] char32_t NextUtf8Char(std::string_view text, std::size_t& position);

// Appends the UTF-8 form of one character, which must be a valid code point.
void AppendUtf8(std::string& out, char32_t c);

// A path as UTF-8 text for messages, whatever the system's own encoding of paths.
[[nodiscard]] std::string Utf8PathText(const std::filesystem::path& path);

}  // namespace zarvex
