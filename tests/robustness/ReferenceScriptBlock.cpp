#include "ReferenceScriptBlock.h"

#include "ReferenceSettingNumber.h"

namespace zarvex::testing {

namespace {

std::string NumberLine(std::string_view key, int number) {
  return "  " + std::string(key) + " " + ReferenceDecimal(number);
}

std::string QuotedLine(std::string_view key, std::string_view text) {
  return "  " + std::string(key) + " \"" + std::string(text) + "\"";
}

}  // namespace

std::string ReferenceSwitchLine(std::size_t box, bool ticked) {
  static constexpr std::array<std::string_view, 6> kKeys = {"USE_WASTED_LIMIT",  "USE_TIME_LIMIT",
                                                            "USE_RECOVER_DELAY", "REPAIR",
                                                            "CARS_ON_MAP",       "SERVER_SET_CAR"};
  return "  " + std::string(kKeys.at(box)) + (ticked ? " 1" : " 0");
}

std::vector<std::string> ReferenceBlockLines(const ReferenceBlockFields& fields) {
  const auto& ticks = fields.ticks;
  return {
      fields.keyword,
      QuotedLine("TRACK", fields.track),
      ReferenceSwitchLine(1, ticks[1]),
      NumberLine("TIME_LIMIT", fields.timeLimit),
      ReferenceSwitchLine(0, ticks[0]),
      NumberLine("WASTED_LIMIT", fields.wastedLimit),
      ReferenceSwitchLine(2, ticks[2]),
      NumberLine("RECOVER_DELAY", fields.recoverDelay),
      ReferenceSwitchLine(3, ticks[3]),
      ReferenceSwitchLine(5, ticks[5]),
      QuotedLine("SERVER_CAR", fields.car),
      ReferenceSwitchLine(4, ticks[4]),
      NumberLine("LAPS", fields.laps),
      "END",
      "",
  };
}

std::string ReferenceBlockText(const ReferenceBlockFields& fields) {
  std::string text;
  for (const std::string& line : ReferenceBlockLines(fields)) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::string ReferenceKeyword(std::string_view displayName) {
  std::string keyword;
  for (const char c : displayName) {
    if (c == ' ') {
      keyword += '_';
    } else if (c >= 'a' && c <= 'z') {
      keyword += static_cast<char>(c - 'a' + 'A');
    } else {
      keyword += c;
    }
  }
  return keyword;
}

}  // namespace zarvex::testing
