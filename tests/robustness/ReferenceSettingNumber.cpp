#include "ReferenceSettingNumber.h"

#include <algorithm>

namespace zarvex::testing {

namespace {

enum class Reading { BeforeSign, WholeDigits, FractionDigits };

// Compares two digit strings without leading zeros by their numeric value.
int CompareDigits(const std::string& left, const std::string& right) {
  if (left.size() != right.size()) {
    return left.size() < right.size() ? -1 : 1;
  }
  return left.compare(right);
}

}  // namespace

std::optional<int> ReferenceSettingNumber(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    return std::nullopt;
  }
  const std::size_t last = text.find_last_not_of(" \t");
  const std::string_view number = text.substr(first, last - first + 1);

  bool negative = false;
  std::string whole;
  std::string fraction;
  Reading reading = Reading::BeforeSign;
  for (const char c : number) {
    const bool digit = c >= '0' && c <= '9';
    if (reading == Reading::BeforeSign && (c == '+' || c == '-')) {
      negative = c == '-';
      reading = Reading::WholeDigits;
    } else if (digit && reading != Reading::FractionDigits) {
      whole.push_back(c);
      reading = Reading::WholeDigits;
    } else if (digit) {
      fraction.push_back(c);
    } else if (c == '.' && reading != Reading::FractionDigits) {
      reading = Reading::FractionDigits;
    } else {
      return std::nullopt;
    }
  }
  if (whole.empty() && fraction.empty()) {
    return std::nullopt;
  }

  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
  // A whole part of 32769 or more is out of range, and rounding can only make it larger.
  if (CompareDigits(whole, "32769") >= 0) {
    return std::nullopt;
  }
  int magnitude = 0;
  for (const char c : whole) {
    magnitude = magnitude * 10 + (c - '0');
  }

  // The fraction against one half, both written with the same number of digits.
  if (!fraction.empty()) {
    const std::string half = "5" + std::string(fraction.size() - 1, '0');
    const int order = fraction.compare(half);
    if (order > 0 || (order == 0 && magnitude % 2 != 0)) {
      magnitude += 1;
    }
  }

  const int value = negative ? -magnitude : magnitude;
  if (value < -32768 || value > 32767) {
    return std::nullopt;
  }
  return value;
}

std::string ReferenceDecimal(int number) {
  if (number == 0) {
    return "0";
  }
  std::string digits;
  long rest = number < 0 ? -static_cast<long>(number) : number;
  while (rest > 0) {
    digits.insert(digits.begin(), static_cast<char>('0' + rest % 10));
    rest /= 10;
  }
  return number < 0 ? "-" + digits : digits;
}

}  // namespace zarvex::testing
