// The six game modes in the order the mode list shows them, each with the keyword that opens a
// block of that mode.
#pragma once

#include <array>
#include <string_view>

namespace zarvex {

struct GameMode {
  std::string_view displayName;
  std::string_view keyword;
};

inline constexpr std::array<GameMode, 6> GameModeTable = {{
    {"Free For All", "FREE_FOR_ALL"},
    {"Death Race", "DEATH_RACE"},
    {"Knockout Race", "KNOCKOUT_RACE"},
    {"British Bulldogs", "BRITISH_BULLDOGS"},
    {"Fox And Hounds", "FOX_AND_HOUNDS"},
    {"Hot Nut", "HOT_NUT"},
}};

}  // namespace zarvex
