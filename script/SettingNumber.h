// Turns the text of a value box into a setting number, a 16-bit signed whole number. Accepts
// blanks (spaces, tabs) around an optionally signed decimal number with at most one full stop,
// rounds half to even on the exact decimal value, and fails for anything else or out of range.
//
//   ParseSettingNumber(" 007 ")  -> 7
//   ParseSettingNumber("2.5")    -> 2
//   ParseSettingNumber("1e3")    -> NumberFormatError
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zarvex {

using SettingNumber = std::int16_t;

class NumberFormatError : public std::runtime_error {
 public:
  NumberFormatError() : std::runtime_error("not a setting number") {}
};

// Throws NumberFormatError for text that is not a number or whose rounded value lies outside
// -32768 to 32767. Texts of any length are handled without overflow.
[[nodiscard]] SettingNumber ParseSettingNumber(std::string_view text);

// The shortest decimal form: no leading zeros, no plus sign, never "-0".
[[nodiscard]] std::string FormatSettingNumber(SettingNumber number);

}  // namespace zarvex
