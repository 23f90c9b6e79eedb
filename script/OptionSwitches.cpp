#include "script/OptionSwitches.h"

#include <stdexcept>
#include <string>

#include "script/GameModeTable.h"

namespace zarvex {

const OptionSwitch& SwitchOf(Control box) {
  for (const OptionSwitch& option : kOptionSwitches) {
    if (option.box == box) {
      return option;
    }
  }
  throw std::invalid_argument(std::string(NameOf(box)) + " is not an option box");
}

void ToggleOption(Control box, EditorState& state, ScriptSettings& settings) {
  const OptionSwitch& option = SwitchOf(box);
  const bool ticked = state.Tick(box);
  settings.*option.line = ticked ? option.tickedLine : option.clearedLine;
  if (option.valueBox) {
    ValueBox& value = state.Box(*option.valueBox);
    value.enabled = ticked;
    value.text.assign(1, ticked ? '1' : '0');
  }
}

void ChooseMode(const EditorState& state, ScriptSettings& settings) {
  const std::string_view shown = state.Combo1.Text();
  for (const GameMode& mode : GameModeTable) {
    if (mode.displayName == shown) {
      settings.modeKeyword = mode.keyword;
      return;
    }
  }
}

}  // namespace zarvex
