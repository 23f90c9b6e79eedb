#include "platform/win32/WideText.h"

#include "platform/Utf8.h"

namespace zarvex {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::wstring ToUtf16(std::string_view utf8, wchar_t invalid) {
  std::wstring wide;
  wide.reserve(utf8.size());
  std::size_t position = 0;
  while (position < utf8.size()) {
    const char32_t c = NextUtf8Char(utf8, position);
    if (c == kInvalidUtf8) {
      wide += invalid;
    } else if (c >= 0x10000) {
      wide += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
      wide += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      wide += static_cast<wchar_t>(c);
    }
  }
  return wide;
}

std::string ToUtf8(std::wstring_view utf16) {
  std::string utf8;
  utf8.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    const char32_t unit = static_cast<char16_t>(utf16[i]);
    if (IsHighSurrogate(unit) && i + 1 < utf16.size() &&
        IsLowSurrogate(static_cast<char16_t>(utf16[i + 1]))) {
      const char32_t low = static_cast<char16_t>(utf16[++i]);
      AppendUtf8(utf8, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendUtf8(utf8, kReplacement);
    } else {
      AppendUtf8(utf8, unit);
    }
  }
  return utf8;
}

}  // namespace zarvex
