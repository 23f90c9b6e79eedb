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

// XP's converter passes a lone surrogate half through as three bytes that are not UTF-8, later
// ones give U+FFFD: the editor replaces each half itself, so that every Windows gives the same
// text. Returns nothing for text without one.
std::optional<std::wstring> WithLoneHalvesReplaced(std::wstring_view utf16) {
  std::optional<std::wstring> repaired;
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    const wchar_t unit = utf16[i];
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    if (high && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
      ++i;
    } else if (high || (unit >= 0xDC00 && unit <= 0xDFFF)) {
      if (!repaired) {
        repaired.emplace(utf16);
      }
      (*repaired)[i] = kReplacementCharacter;
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

std::string ToUtf8(std::wstring_view text) {
  const std::optional<std::wstring> repaired = WithLoneHalvesReplaced(text);
  const std::wstring_view utf16 = repaired ? std::wstring_view(*repaired) : text;
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
