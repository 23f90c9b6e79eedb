#include "platform/win32/Win32AnsiEncoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/Utf8.h"
#include "platform/Windows1252Encoder.h"

namespace zarvex {
namespace {

// UTF-8 of one character.
std::string Utf8Of(char32_t c) {
  std::string out;
  AppendUtf8(out, c);
  return out;
}

TEST(Win32AnsiEncoder, AsciiPassesUnchanged) {
  const Win32AnsiEncoder encoder;
  std::string everyAsciiByte;
  for (int byte = 0; byte < 0x80; ++byte) {
    everyAsciiByte += static_cast<char>(byte);
  }
  EXPECT_EQ(encoder.ToFileText(everyAsciiByte), everyAsciiByte);
  EXPECT_EQ(encoder.ToFileText(""), "");
  EXPECT_EQ(encoder.ToFileText("DEATH_RACE\r\n  TRACK \"Super Speedway\"\r\nEND\r\n\r\n"),
            "DEATH_RACE\r\n  TRACK \"Super Speedway\"\r\nEND\r\n\r\n");
}

TEST(Win32AnsiEncoder, Windows1252AgreesWithTheCoresTable) {
  // Two independent readings of code page 1252: the system's tables and the core's own.
  const Win32AnsiEncoder system(1252);
  const Windows1252Encoder core;
  for (char32_t c = 0; c < 0x3000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) {
      continue;
    }
    const std::string text = "<" + Utf8Of(c) + ">";
    ASSERT_EQ(system.ToFileText(text), core.ToFileText(text))
        << "U+" << std::hex << static_cast<std::uint32_t>(c);
  }
  {
    const std::string mixed =
        "Caf\xC3\xA9 \xE2\x82\xAC\xE2\x80\x9C\xE6\x97\xA5\xF0\x9F\x9A\x97\xFF";
    EXPECT_EQ(system.ToFileText(mixed), core.ToFileText(mixed));
  }
}

TEST(Win32AnsiEncoder, UnrepresentableCharactersBecomeOneQuestionMarkEach) {
  const Win32AnsiEncoder encoder(1252);
  {
    // Never a look-alike: best fit would write "a", "fi" or "A".
    EXPECT_EQ(encoder.ToFileText("\xC4\x81"), "?");      // U+0101 a with macron
    EXPECT_EQ(encoder.ToFileText("\xEF\xAC\x81"), "?");  // U+FB01 fi ligature
    EXPECT_EQ(encoder.ToFileText("\xEF\xBC\xA1"), "?");  // U+FF21 fullwidth A
  }
  {
    EXPECT_EQ(encoder.ToFileText("\xE6\x97\xA5\xE6\x9C\xAC"), "??");  // two CJK characters
    EXPECT_EQ(encoder.ToFileText("x\xF0\x9F\x9A\x97y"), "x?y");       // beyond U+FFFF
  }
  {
    // Invalid UTF-8: one "?" per byte that starts no character.
    EXPECT_EQ(encoder.ToFileText("a\xFF\xFE"
                                 "b"),
              "a??b");
    EXPECT_EQ(encoder.ToFileText("\xE2\x82"), "??");
    EXPECT_EQ(encoder.ToFileText("\xC3\xA9\x80"), "\xE9?");
  }
}

TEST(Win32AnsiEncoder, OtherAnsiCodePages) {
  {
    const Win32AnsiEncoder japanese(932);
    EXPECT_EQ(japanese.ToFileText("\xE6\x97\xA5\xE6\x9C\xAC"), "\x93\xFA\x96\x7B");
    EXPECT_EQ(japanese.ToFileText("LAPS 1 \xC3\xA9"), "LAPS 1 ?");
  }
  {
    const Win32AnsiEncoder cyrillic(1251);
    EXPECT_EQ(cyrillic.ToFileText("\xD0\x9F\xD1\x80\xD0\xB8"), "\xCF\xF0\xE8");
    EXPECT_EQ(cyrillic.ToFileText("\xC3\xA9"), "?");
  }
  {
    // UTF-8 as the system's code page keeps every valid character; invalid bytes still go.
    const Win32AnsiEncoder utf8(CP_UTF8);
    EXPECT_EQ(utf8.ToFileText("Caf\xC3\xA9 \xF0\x9F\x9A\x97"), "Caf\xC3\xA9 \xF0\x9F\x9A\x97");
    EXPECT_EQ(utf8.ToFileText("a\xFF"
                              "b"),
              "a?b");
  }
}

TEST(Win32AnsiEncoder, DefaultIsTheSystemsCodePage) {
  const Win32AnsiEncoder system;
  const Win32AnsiEncoder named(GetACP());
  const std::string text = "Caf\xC3\xA9 \xE2\x82\xAC \xE6\x97\xA5 \xD0\x9F";
  EXPECT_EQ(system.ToFileText(text), named.ToFileText(text));
}

}  // namespace
}  // namespace zarvex
