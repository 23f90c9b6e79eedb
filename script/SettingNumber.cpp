#include "script/SettingNumber.h"

#include <limits>

namespace zarvex {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

}  // namespace

SettingNumber ParseSettingNumber(std::string_view text) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const std::size_t stop = text.find('.');
  const std::string_view whole = text.substr(0, stop);
  const std::string_view fraction =
      stop == std::string_view::npos ? std::string_view{} : text.substr(stop + 1);
  if (whole.empty() && fraction.empty()) {
    throw NumberFormatError();
  }
  for (const char c : whole) {
    if (!IsDigit(c)) {
      throw NumberFormatError();
    }
  }
  for (const char c : fraction) {
    if (!IsDigit(c)) {
      throw NumberFormatError();
    }
  }

  // Magnitudes past 32768 fail whatever the fraction, so the whole part is accumulated only while
  // it stays small; the bound keeps any number of digits from overflowing.
  constexpr long kLimit = 32769;
  long magnitude = 0;
  for (const char c : whole) {
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > kLimit) {
      throw NumberFormatError();
    }
  }

  // Round half to even on the exact decimal digits: only the first fractional digit and whether
  // any later digit is non-zero decide.
  if (!fraction.empty()) {
    const int first = fraction.front() - '0';
    const bool restNonZero = fraction.find_first_not_of('0', 1) != std::string_view::npos;
    const bool exactlyHalf = first == 5 && !restNonZero;
    if (first > 5 || (first == 5 && restNonZero) || (exactlyHalf && magnitude % 2 == 1)) {
      ++magnitude;
    }
  }

  const long value = negative ? -magnitude : magnitude;
  if (value < std::numeric_limits<SettingNumber>::min() ||
      value > std::numeric_limits<SettingNumber>::max()) {
    throw NumberFormatError();
  }
  return static_cast<SettingNumber>(value);
}

std::string FormatSettingNumber(SettingNumber number) {
  return std::to_string(number);
}

}  // namespace zarvex
