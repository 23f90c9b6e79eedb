#include "script/OptionSwitches.h"

#include <gtest/gtest.h>

#include "script/GameModeTable.h"

namespace zarvex {
namespace {

void Tick(Control box, bool ticked, EditorState& state, ScriptSettings& settings) {
  state.Tick(box) = ticked;
  ToggleOption(box, state, settings);
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

TEST(ToggleOption, EachBoxDrivesItsOwnLineAndBox) {
  const struct {
    Control box;
    std::string ScriptSettings::*line;
    const char* ticked;
    std::optional<Control> valueBox;
  } cases[] = {
      {Control::Check1, &ScriptSettings::useWastedLimitLine, "  USE_WASTED_LIMIT 1",
       Control::Text1},
      {Control::Check2, &ScriptSettings::useTimeLimitLine, "  USE_TIME_LIMIT 1", Control::Text2},
      {Control::Check3, &ScriptSettings::useRecoverDelayLine, "  USE_RECOVER_DELAY 1",
       Control::Text3},
      {Control::Check4, &ScriptSettings::repairLine, "  REPAIR 1", std::nullopt},
      {Control::Check5, &ScriptSettings::carsOnMapLine, "  CARS_ON_MAP 1", std::nullopt},
      {Control::Check6, &ScriptSettings::serverSetCarLine, "  SERVER_SET_CAR 1", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(NameOf(c.box));
    EditorState state;
    ScriptSettings settings;
    const ScriptSettings fresh;
    Tick(c.box, true, state, settings);
    ScriptSettings expected;
    expected.*c.line = c.ticked;
    EXPECT_EQ(settings, expected);
    for (Control value : {Control::Text1, Control::Text2, Control::Text3}) {
      EXPECT_EQ(state.Box(value).enabled, c.valueBox == value);
    }
    Tick(c.box, false, state, settings);
    EXPECT_EQ(settings, fresh);
    EXPECT_EQ(state.Text1.text, "0");
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
