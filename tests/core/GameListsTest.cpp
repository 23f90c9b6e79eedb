#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

#include "script/GameModeTable.h"
#include "script/ServerCarList.h"
#include "script/TrackList.h"
#include "window/WindowLayout.h"

namespace zarvex {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

TEST(GameLists, HoldTheGamesIdentifiersOnceEachInTheirOrder) {
  EXPECT_EQ(std::set<std::string_view>(TrackList.begin(), TrackList.end()).size(), 36u);
  EXPECT_EQ(std::set<std::string_view>(ServerCarList.begin(), ServerCarList.end()).size(), 55u);

  EXPECT_EQ(TrackList.front(), "Arena");
  EXPECT_EQ(TrackList[8], "DirtTrack");  // the last of the nine without a number
  EXPECT_EQ(TrackList[33], "Super Speedway");
  EXPECT_EQ(TrackList.back(), "Footy");
  // Eight stems of three numbered races each, in between.
  for (std::size_t i = 9; i < 33; ++i) {
    SCOPED_TRACE(TrackList[i]);
    const std::string suffix = "_Race" + std::to_string((i - 9) % 3 + 1);
    ASSERT_GE(TrackList[i].size(), suffix.size());
    EXPECT_EQ(TrackList[i].substr(TrackList[i].size() - suffix.size()), suffix);
  }

  // Alphabetical, ignoring case, up to "WitchDoctor"; the last three are not.
  const auto witchDoctor = std::find(ServerCarList.begin(), ServerCarList.end(), "WitchDoctor");
  ASSERT_EQ(witchDoctor - ServerCarList.begin(), 51);
  EXPECT_TRUE(std::is_sorted(ServerCarList.begin(), witchDoctor + 1,
                             [](auto a, auto b) { return Lower(a) < Lower(b); }));
  EXPECT_EQ(ServerCarList[52], "Vlad");
  EXPECT_EQ(ServerCarList[53], "Wraith");
  EXPECT_EQ(ServerCarList[54], "Vulture");
  // The game's own spellings stay as they are.
  for (std::string_view car :
       {"Cop_Inteceptor", "FemmeFatel", "GreenCusher", "copcar", "f40", "Space Host", "Hold-on"}) {
    EXPECT_NE(std::find(ServerCarList.begin(), ServerCarList.end(), car), ServerCarList.end())
        << car;
  }
  EXPECT_EQ(GameModeTable.front().keyword, "FREE_FOR_ALL");
  EXPECT_EQ(GameModeTable.size(), 6u);
}

// Every control by the name in the window's design, in the design's list, each once.
#define NAMED(control)                           \
  std::pair {                                    \
    Control::control, std::string_view(#control) \
  }
TEST(ControlNames, AreTheDesignsEachOnce) {
  // clang-format off
  const std::pair<Control, std::string_view> names[] = {
      NAMED(Check1), NAMED(Check2), NAMED(Check3), NAMED(Check4), NAMED(Check5), NAMED(Check6),
      NAMED(Combo1), NAMED(Combo2), NAMED(Combo3),
      NAMED(Text1), NAMED(Text2), NAMED(Text3), NAMED(Text5), NAMED(Text6),
      NAMED(Command1), NAMED(Command2),
      NAMED(Label1), NAMED(Label2), NAMED(Label3), NAMED(Label4), NAMED(Label5), NAMED(Label6),
      NAMED(Label7), NAMED(Label8), NAMED(Label9), NAMED(Label10), NAMED(Label11), NAMED(Label12),
      NAMED(Label13), NAMED(Image1),
  };
  // clang-format on
  std::set<std::string_view> shown;
  for (const auto& [control, name] : names) {
    EXPECT_EQ(NameOf(control), name);
    EXPECT_EQ(std::count_if(kWindowLayout.begin(), kWindowLayout.end(),
                            [control](const ControlLayout& row) { return row.name == control; }),
              1)
        << name;
    shown.insert(NameOf(control));
  }
  EXPECT_EQ(shown.size(), kControlCount);
}
#undef NAMED

}  // namespace
}  // namespace zarvex
