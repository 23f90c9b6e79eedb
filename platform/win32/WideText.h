// Converts between the core's UTF-8 and the UTF-16 that the Windows API takes, at the boundary
// where the two meet, through the system's own converter. Invalid input never fails a conversion:
// each bad piece becomes one replacement character.
#pragma once

#include <string>
#include <string_view>

namespace zarvex {

inline constexpr wchar_t kReplacementCharacter = 0xFFFD;

// Each byte that does not start a valid UTF-8 character becomes `invalid`.
[[nodiscard]] std::wstring ToUtf16(std::string_view utf8, wchar_t invalid = kReplacementCharacter);

// A lone surrogate half becomes U+FFFD, whatever the system's converter would make of it.
[[nodiscard]] std::string ToUtf8(std::wstring_view utf16);

}  // namespace zarvex
