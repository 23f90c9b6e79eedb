#include "platform/win32/WideText.h"

#include <windows.h>

#include <climits>
#include <optional>
#include <stdexcept>

#include "platform/Utf8.h"

namespace zarvex {

namespace {

int LengthForWindows(std::size_t length) {
  if (length > static_cast<std::size_t>(INT_MAX)) {
    throw std::length_error("the text is too long to convert");
  }
  return static_cast<int>(length);
}

// Windows folds a broken sequence into one U+FFFD; the editor replaces each byte that starts no
// valid character on its own, with the caller's character. Returns nothing for valid text.
std::optional<std::string> WithInvalidBytesReplaced(std::string_view utf8, wchar_t invalid) {
  std::optional<std::string> repaired;
  std::size_t position = AsciiPrefixLength(utf8);
  while (position < utf8.size()) {
    const std::size_t start = position;
    if (NextUtf8Char(utf8, position) == kInvalidUtf8) {
      if (!repaired) {
        repaired.emplace(utf8.substr(0, start));
      }
      AppendUtf8(*repaired, static_cast<char32_t>(invalid));
    } else if (repaired) {
      repaired->append(utf8.substr(start, position - start));
    }
  }
  return repaired;
}

}  // namespace

std::wstring ToUtf16(std::string_view utf8, wchar_t invalid) {
  const std::optional<std::string> repaired = WithInvalidBytesReplaced(utf8, invalid);
  const std::string_view valid = repaired ? std::string_view(*repaired) : utf8;
  if (valid.empty()) {
    return {};
  }
  const int size = LengthForWindows(valid.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, valid.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, valid.data(), size, wide.data(), length);
  return wide;
}

std::string ToUtf8(std::wstring_view utf16) {
  if (utf16.empty()) {
    return {};
  }
  const int size = LengthForWindows(utf16.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

}  // namespace zarvex
