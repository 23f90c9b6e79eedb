#include "platform/win32/WideText.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>

// The program's import slot for the system's converter, which its calls go through.
extern "C" decltype(&WideCharToMultiByte) importedWideCharToMultiByte __asm__(
    "__imp__WideCharToMultiByte@32");

namespace zarvex {
namespace {

// While this lives, the converter counts the lone surrogate halves it is handed: XP's passes
// them through as bytes that are not UTF-8, later Windows' gives U+FFFD, so it must be handed
// none.
class ConverterWatch {
 public:
  ConverterWatch() { Swap(&Counting); }
  ~ConverterWatch() { Swap(system_); }
  ConverterWatch(const ConverterWatch&) = delete;
  ConverterWatch& operator=(const ConverterWatch&) = delete;

  static inline int loneHalves = 0;

 private:
  static void Swap(decltype(&WideCharToMultiByte) converter) {
    DWORD access = 0;
    VirtualProtect(&importedWideCharToMultiByte, sizeof converter, PAGE_READWRITE, &access);
    const auto old = importedWideCharToMultiByte;
    importedWideCharToMultiByte = converter;
    VirtualProtect(&importedWideCharToMultiByte, sizeof converter, access, &access);
    if (system_ == nullptr) {
      system_ = old;
    }
  }

  static int WINAPI Counting(UINT codePage, DWORD flags, LPCWCH text, int length, LPSTR out,
                             int outLength, LPCCH fallback, LPBOOL fellBack) {
    const std::wstring_view units(text, static_cast<std::size_t>(length));
    for (std::size_t i = 0; i < units.size(); ++i) {
      const bool high = units[i] >= 0xD800 && units[i] <= 0xDBFF;
      if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
        ++i;
      } else if (high || (units[i] >= 0xDC00 && units[i] <= 0xDFFF)) {
        ++loneHalves;
      }
    }
    return system_(codePage, flags, text, length, out, outLength, fallback, fellBack);
  }

  static inline decltype(&WideCharToMultiByte) system_ = nullptr;
};

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
    // Lone surrogates from a text box become U+FFFD, never bytes that are not UTF-8, whatever
    // the system's converter would make of them.
    const ConverterWatch watch;
    EXPECT_EQ(ToUtf8(std::wstring{L'a', static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE97),
                                  static_cast<wchar_t>(0xDE97)}),
              "a\xF0\x9F\x9A\x97\xEF\xBF\xBD");
    EXPECT_EQ(ToUtf8(std::wstring{L'a', static_cast<wchar_t>(0xD800), L'b'}),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(ToUtf8(std::wstring{static_cast<wchar_t>(0xDC00)}), "\xEF\xBF\xBD");
    EXPECT_EQ(ToUtf8(std::wstring{static_cast<wchar_t>(0xD83D)}), "\xEF\xBF\xBD");
    EXPECT_EQ(ConverterWatch::loneHalves, 0);
  }
}

}  // namespace
}  // namespace zarvex
