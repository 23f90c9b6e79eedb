// The block that "Add to Script" must append, written from the block format alone for the fuzzers
// and the model test to compare with: the keyword, twelve setting lines in the game's order, "END"
// and an empty line. Shares no code with the editor's own composition.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zarvex::testing {

struct ReferenceBlockFields {
  std::string keyword = "FREE_FOR_ALL";
  std::string track;
  std::string car;
  std::array<bool, 6> ticks{};  // Check1 to Check6
  int wastedLimit = 0;
  int timeLimit = 0;
  int recoverDelay = 0;
  int laps = 1;
};

// The switch line of an option box, from Check1 (0) to Check6 (5): "  REPAIR 1" for a ticked
// Check4.
[[nodiscard]] std::string ReferenceSwitchLine(std::size_t box, bool ticked);

// The fifteen lines without their line breaks.
[[nodiscard]] std::vector<std::string> ReferenceBlockLines(const ReferenceBlockFields& fields);

// The lines, each followed by CR LF.
[[nodiscard]] std::string ReferenceBlockText(const ReferenceBlockFields& fields);

// "Death Race" opens its blocks with "DEATH_RACE": the name in capitals, underscores for blanks.
[[nodiscard]] std::string ReferenceKeyword(std::string_view displayName);

}  // namespace zarvex::testing
