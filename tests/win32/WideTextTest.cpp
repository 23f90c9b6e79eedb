#include "platform/win32/WideText.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace zarvex {
namespace {

// What Windows' own converter makes of valid UTF-8, to check the editor's against.
std::wstring SystemUtf16(const std::string& utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                         static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                      wide.data(), length);
  return wide;
}

TEST(WideText, ValidTextAgreesWithTheSystem) {
  for (const std::string& text : {std::string(""), std::string("FREE_FOR_ALL\r\n  TRACK \"x\"\r\n"),
                                  std::string("Caf\xC3\xA9 \xE2\x82\xAC \xE6\x97\xA5\xE6\x9C\xAC"),
                                  std::string("\xF0\x9F\x9A\x97 car"), std::string("a\0b", 3)}) {
    SCOPED_TRACE(text);
    const std::wstring wide = ToUtf16(text);
    EXPECT_EQ(wide, SystemUtf16(text));
    EXPECT_EQ(ToUtf8(wide), text);
  }
}

TEST(WideText, InvalidInputBecomesReplacements) {
  {
    // One replacement per byte that starts no valid character.
    EXPECT_EQ(ToUtf16("a\xFF"
                      "b"),
              L"a\xFFFD"
              L"b");
    EXPECT_EQ(ToUtf16("\xE2\x82"), L"\xFFFD\xFFFD");
    EXPECT_EQ(ToUtf16("\xC0\xAF", L'?'), L"??");       // overlong "/"
    EXPECT_EQ(ToUtf16("\xED\xA0\x80", L'?'), L"???");  // a surrogate written as UTF-8
  }
  {
    // Lone surrogates from a text box become U+FFFD, never bytes that are not UTF-8.
    EXPECT_EQ(ToUtf8(std::wstring{L'a', static_cast<wchar_t>(0xD800), L'b'}),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(ToUtf8(std::wstring{static_cast<wchar_t>(0xDC00)}), "\xEF\xBF\xBD");
    EXPECT_EQ(ToUtf8(std::wstring{static_cast<wchar_t>(0xD83D)}), "\xEF\xBF\xBD");
  }
}

}  // namespace
}  // namespace zarvex
