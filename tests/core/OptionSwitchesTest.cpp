#include "script/OptionSwitches.h"

#include <gtest/gtest.h>

#include <vector>

#include "TestSupport.h"
#include "script/AddToScript.h"
#include "script/GameModeTable.h"

namespace zarvex {
namespace {

using testing::kUntouchedEditorBlock;

void Tick(Control box, bool ticked, EditorState& state, ScriptSettings& settings) {
  state.Tick(box) = ticked;
  ToggleOption(box, state, settings);
}

std::string BlockAdded(EditorState state, const ScriptSettings& settings) {
  state.Text6.clear();
  testing::MessageLog log;
  EXPECT_TRUE(AddToScript(state, settings, log.Recorder()));
  return state.Text6;
}

TEST(ToggleOption, ValueSwitchesResetTheirBoxOnEveryChange) {
  EditorState state;
  ScriptSettings settings;
  Tick(Control::Check2, true, state, settings);
  EXPECT_EQ(settings.useTimeLimitLine, "  USE_TIME_LIMIT 1");
  EXPECT_TRUE(state.Text2.enabled);
  EXPECT_EQ(state.Text2.text, "1");

  state.Text2.text = "90";
  Tick(Control::Check2, false, state, settings);
  EXPECT_EQ(settings.useTimeLimitLine, "  USE_TIME_LIMIT 0");
  EXPECT_FALSE(state.Text2.enabled);
  EXPECT_EQ(state.Text2.text, "0");

  Tick(Control::Check2, true, state, settings);
  EXPECT_EQ(state.Text2.text, "1") << "ticking again starts from 1, not the old 90";
  // No other field moved.
  EXPECT_EQ(state.Text1.text, "0");
  EXPECT_FALSE(state.Text1.enabled);
  EXPECT_EQ(state.Text3.text, "0");
  EXPECT_EQ(state.Text5.text, "1");
}

TEST(ToggleOption, EachBoxTurnsItsLinesInTheBlockOnAndOff) {
  // The keys whose 0 a tick turns to 1: the switch, and the value of the box it enables.
  const struct {
    Control box;
    std::vector<std::string_view> keys;
  } cases[] = {
      {Control::Check1, {"USE_WASTED_LIMIT", "WASTED_LIMIT"}},
      {Control::Check2, {"USE_TIME_LIMIT", "TIME_LIMIT"}},
      {Control::Check3, {"USE_RECOVER_DELAY", "RECOVER_DELAY"}},
      {Control::Check4, {"REPAIR"}},
      {Control::Check5, {"CARS_ON_MAP"}},
      {Control::Check6, {"SERVER_SET_CAR"}},
  };
  for (const auto& [box, keys] : cases) {
    SCOPED_TRACE(NameOf(box));
    std::string expected(kUntouchedEditorBlock);
    for (const std::string_view key : keys) {
      const std::string line = "\n  " + std::string(key) + " 0\r";
      expected[expected.find(line) + line.size() - 2] = '1';
    }
    EditorState state;
    ScriptSettings settings;
    Tick(box, true, state, settings);
    EXPECT_EQ(BlockAdded(state, settings), expected);
    EXPECT_EQ(state.Text1.enabled + state.Text2.enabled + state.Text3.enabled,
              keys.size() == 2 ? 1 : 0);
    Tick(box, false, state, settings);
    EXPECT_EQ(BlockAdded(state, settings), kUntouchedEditorBlock);
    EXPECT_FALSE(state.Text1.enabled || state.Text2.enabled || state.Text3.enabled);
  }
}

TEST(ChooseMode, FollowsTheLastChosenModeByExactName) {
  EditorState state;
  for (const GameMode& mode : GameModeTable) {
    state.Combo1.entries.emplace_back(mode.displayName);
  }
  ScriptSettings settings;
  EXPECT_EQ(settings.modeKeyword, "FREE_FOR_ALL");
  state.Combo1.chosen = 5;
  ChooseMode(state, settings);
  EXPECT_EQ(settings.modeKeyword, "HOT_NUT");
  state.Combo1.chosen = 1;
  ChooseMode(state, settings);
  EXPECT_EQ(settings.modeKeyword, "DEATH_RACE");

  // Only an exact, case-sensitive match counts; anything else keeps the keyword.
  state.Combo1.entries = {"death race", "Death Race ", "", "Fox And Hounds"};
  for (std::size_t i = 0; i < 3; ++i) {
    state.Combo1.chosen = i;
    ChooseMode(state, settings);
    EXPECT_EQ(settings.modeKeyword, "DEATH_RACE");
  }
  state.Combo1.chosen = 3;
  ChooseMode(state, settings);
  EXPECT_EQ(settings.modeKeyword, "FOX_AND_HOUNDS");
}

}  // namespace
}  // namespace zarvex
