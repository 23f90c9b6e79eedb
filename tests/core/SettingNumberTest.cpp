#include "script/SettingNumber.h"

#include <gtest/gtest.h>

#include <string>

namespace zarvex {
namespace {

void ExpectNumber(std::string_view text, int expected) {
  SCOPED_TRACE(std::string("text: \"") + std::string(text.substr(0, 60)) + "\"");
  SettingNumber parsed = 0;
  ASSERT_NO_THROW(parsed = ParseSettingNumber(text));
  EXPECT_EQ(parsed, expected);
}

void ExpectNotANumber(std::string_view text) {
  SCOPED_TRACE(std::string("text: \"") + std::string(text.substr(0, 60)) + "\"");
  EXPECT_THROW((void)ParseSettingNumber(text), NumberFormatError);
}

TEST(ParseSettingNumber, AcceptsSignedDecimalsWithBlanksAround) {
  ExpectNumber("300", 300);
  ExpectNumber(" \t007 \t", 7);
  ExpectNumber("+12", 12);
  ExpectNumber("-5", -5);
  ExpectNumber("5.", 5);
  ExpectNumber(".5", 0);
  ExpectNumber("-.75", -1);
  ExpectNumber("000000000000000000000000000000000000000000000000032767", 32767);
  ExpectNumber(std::string(1000, '0') + "12", 12);
  ExpectNumber("0." + std::string(10000, '9'), 1);
}

TEST(ParseSettingNumber, RejectsEverythingElse) {
  for (const char* text : {"",
                           " ",
                           "\t",
                           "-",
                           "+",
                           ".",
                           "-.",
                           "+.",
                           "1.2.3",
                           "1 2",
                           "- 5",
                           "+-5",
                           "--5",
                           "abc",
                           "12a",
                           "1e3",
                           "0x10",
                           "1,000",
                           "$5",
                           "(5)",
                           "5-",
                           "\xC2\xA0"
                           "5",
                           "5\n",
                           "\n5",
                           "\xEF\xBC\x95",
                           "1_000"}) {
    ExpectNotANumber(text);
  }
}

TEST(ParseSettingNumber, RoundsHalfToEvenOnTheExactDecimalValue) {
  ExpectNumber("2.5", 2);
  ExpectNumber("3.5", 4);
  ExpectNumber("-2.5", -2);
  ExpectNumber("-3.5", -4);
  ExpectNumber("0.5", 0);
  ExpectNumber("1.5", 2);
  ExpectNumber("2.4999999999999999999999", 2);
  ExpectNumber("2.5000000000000000000001", 3);
  // A binary double would turn both of these into the halfway value and round them wrongly.
  ExpectNumber("32767.49999999999999999999", 32767);
  ExpectNumber("0.50000000000000000001", 1);
  ExpectNumber("2.50" + std::string(5000, '0'), 2);
  ExpectNumber("2.50" + std::string(5000, '0') + "1", 3);
}

TEST(ParseSettingNumber, KeepsTheSixteenBitRange) {
  ExpectNumber("32767", 32767);
  ExpectNumber("32767.4", 32767);
  ExpectNotANumber("32767.5");
  ExpectNotANumber("32768");
  ExpectNumber("-32768", -32768);
  ExpectNumber("-32768.5", -32768);
  ExpectNotANumber("-32768.51");
  ExpectNotANumber("-32769");
  ExpectNotANumber("40000");
  ExpectNotANumber("99999999999999999999999999999999999999");
  ExpectNotANumber(std::string(100000, '9'));
  ExpectNotANumber("-" + std::string(100000, '9') + ".5");
}

TEST(ParseSettingNumber, NeverGivesNegativeZero) {
  ExpectNumber("-0.4", 0);
  ExpectNumber("-0", 0);
  ExpectNumber("-0.5", 0);
  EXPECT_EQ(FormatSettingNumber(ParseSettingNumber("-0.4")), "0");
  EXPECT_EQ(FormatSettingNumber(-32768), "-32768");
  EXPECT_EQ(FormatSettingNumber(32767), "32767");
}

}  // namespace
}  // namespace zarvex
