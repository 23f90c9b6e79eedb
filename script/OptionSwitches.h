// Keeps the script settings in step with the option boxes and the mode list. A switch with a value
// box also enables or disables that box and resets its text.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "script/Control.h"
#include "script/EditorState.h"
#include "script/ScriptSettings.h"

namespace zarvex {

struct OptionSwitch {
  Control box;
  ScriptLineText ScriptSettings::*line;
  std::string_view tickedLine;
  std::string_view clearedLine;
  std::optional<Control> valueBox;
};

// clang-format off
inline constexpr std::array<OptionSwitch, 6> kOptionSwitches = {{
    {Control::Check1, &ScriptSettings::useWastedLimitLine,  "  USE_WASTED_LIMIT 1",  "  USE_WASTED_LIMIT 0",  Control::Text1},
    {Control::Check2, &ScriptSettings::useTimeLimitLine,    "  USE_TIME_LIMIT 1",    "  USE_TIME_LIMIT 0",    Control::Text2},
    {Control::Check3, &ScriptSettings::useRecoverDelayLine, "  USE_RECOVER_DELAY 1", "  USE_RECOVER_DELAY 0", Control::Text3},
    {Control::Check4, &ScriptSettings::repairLine,          "  REPAIR 1",            "  REPAIR 0",            std::nullopt},
    {Control::Check5, &ScriptSettings::carsOnMapLine,       "  CARS_ON_MAP 1",       "  CARS_ON_MAP 0",       std::nullopt},
    {Control::Check6, &ScriptSettings::serverSetCarLine,    "  SERVER_SET_CAR 1",    "  SERVER_SET_CAR 0",    std::nullopt},
}};
// clang-format on

// The switch of an option box; throws std::invalid_argument for any other control.
[[nodiscard]] const OptionSwitch& SwitchOf(Control box);

// Runs after the box's tick has changed in the state: swaps its line and, for a box with a value
// box, enables it with "1" or disables it with "0", whatever was typed before.
void ToggleOption(Control box, EditorState& state, ScriptSettings& settings);

// Runs after the mode list's choice has changed: takes the keyword of the mode whose display name
// equals the list's text exactly, or keeps the old keyword when none does.
void ChooseMode(const EditorState& state, ScriptSettings& settings);

}  // namespace zarvex
