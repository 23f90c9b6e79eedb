#include "platform/win32/WideText.h"

#include <gtest/gtest.h>

#include <string>

namespace zarvex {
namespace {

TEST(WideText, ValidTextRoundTrips) {
  const struct {
    std::string utf8;
    std::wstring utf16;
  } cases[] = {
      {"", L""},
      {"FREE_FOR_ALL\r\n  TRACK \"x\"\r\n", L"FREE_FOR_ALL\r\n  TRACK \"x\"\r\n"},
      {"Caf\xC3\xA9 \xE2\x82\xAC \xE6\x97\xA5", L"Caf\x00E9 \x20AC \x65E5"},
      {"\xF0\x9F\x9A\x97 car", L"\xD83D\xDE97 car"},
      {std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
  };
  for (const auto& [utf8, utf16] : cases) {
    SCOPED_TRACE(utf8);
    EXPECT_EQ(ToUtf16(utf8), utf16);
    EXPECT_EQ(ToUtf8(utf16), utf8);
  }
}

TEST(WideText, InvalidInputBecomesReplacements) {
  {
    // One replacement per byte that starts no valid character.
    EXPECT_EQ(ToUtf16("a\xFF"
                      "b"),
              L"a\xFFFD"
              L"b");
    EXPECT_EQ(ToUtf16("\xE2\x82"), L"\xFFFD\xFFFD");  // per byte, not per broken sequence
    EXPECT_EQ(ToUtf16("\xC3\xA9\xFF\xC3\xA9", L'?'), L"\x00E9?\x00E9");
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
