#include "platform/win32/Win32AnsiEncoder.h"

#include <climits>
#include <stdexcept>
#include <system_error>

#include "platform/Utf8.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32ErrorCategory.h"

namespace zarvex {

namespace {

// No ANSI code page holds a character beyond U+FFFF. Making each such pair "?" here gives one "?"
// per character, where the system would write one per half on some versions.
std::wstring OneUnitPerCharacter(const std::wstring& wide) {
  std::wstring out;
  out.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const wchar_t unit = wide[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
        wide[i + 1] <= 0xDFFF) {
      out += L'?';
      ++i;
    } else {
      out += unit;
    }
  }
  return out;
}

}  // namespace

std::string Win32AnsiEncoder::ToFileText(std::string_view utf8) const {
  if (IsAscii(utf8)) {  // what the editor writes itself, and every ANSI code page agrees on
    return std::string(utf8);
  }
  const UINT codePage = codePage_ == CP_ACP ? GetACP() : codePage_;
  // UTF-8 as the system code page (a Windows 10 option) holds every character and takes no
  // replacement settings.
  const bool holdsEverything = codePage == CP_UTF8;
  std::wstring wide = ToUtf16(utf8, L'?');
  if (!holdsEverything) {
    wide = OneUnitPerCharacter(wide);
  }
  if (wide.size() > static_cast<std::size_t>(INT_MAX)) {
    throw std::length_error("the script is too long to convert");
  }
  const int wideLength = static_cast<int>(wide.size());
  const DWORD flags = holdsEverything ? 0 : WC_NO_BEST_FIT_CHARS;
  const char* replacement = holdsEverything ? nullptr : "?";

  const int length = WideCharToMultiByte(codePage, flags, wide.data(), wideLength, nullptr, 0,
                                         replacement, nullptr);
  if (length <= 0) {
    throw std::system_error(LastWin32Error(),
                            "cannot convert to code page " + std::to_string(codePage));
  }
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, flags, wide.data(), wideLength, bytes.data(), length, replacement,
                      nullptr);
  return bytes;
}

}  // namespace zarvex
