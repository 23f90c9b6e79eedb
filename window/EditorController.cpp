#include "window/EditorController.h"

#include <algorithm>
#include <utility>

#include "script/AddToScript.h"
#include "script/GameModeTable.h"
#include "script/OptionSwitches.h"
#include "script/ServerCarList.h"
#include "script/TrackList.h"
#include "scriptfile/SaveScript.h"

namespace zarvex {

EditorController::EditorController(EditorPlatform platform) : platform_(std::move(platform)) {}

FieldChanges EditorController::Start() {
  FieldChanges changes;
  if (started_ || ended_) {
    return changes;
  }
  started_ = true;
  for (const GameMode& mode : GameModeTable) {
    state_.Combo1.entries.emplace_back(mode.displayName);
  }
  state_.Combo2.entries.assign(TrackList.begin(), TrackList.end());
  state_.Combo3.entries.assign(ServerCarList.begin(), ServerCarList.end());
  changes.Add(Control::Combo1);
  changes.Add(Control::Combo2);
  changes.Add(Control::Combo3);
  return changes;
}

FieldChanges EditorController::ChangeText(Control box, std::string text) {
  if (ended_) {
    return {};
  }
  if (box == Control::Text6) {
    state_.Text6 = std::move(text);
    scriptPositions_.Forget();
  } else if (IsValueBox(box) && state_.Box(box).enabled) {
    state_.Box(box).text = std::move(text);
  }
  return {};
}

FieldChanges EditorController::EditScript(const ScriptEdit& edit) {
  FieldChanges changes;
  if (ended_) {
    return changes;
  }
  std::string& text = state_.Text6;
  const std::size_t from = scriptPositions_.ByteOffsetOf(text, edit.position);
  const std::size_t fromPosition = scriptPositions_.ReachedPosition();
  const std::size_t to = scriptPositions_.ByteOffsetOf(text, edit.position + edit.removed);
  text.replace(from, to - from, edit.inserted);
  // A lone CR and a lone LF that the edit made neighbours are one CR LF line break from now on, in
  // the file as in a Windows edit box; a widget that keeps them apart is told to join them.
  const auto joinsAt = [&text](std::size_t offset) {
    return offset > 0 && offset < text.size() && text[offset - 1] == '\r' && text[offset] == '\n';
  };
  const std::size_t end = from + edit.inserted.size();
  if (!edit.inserted.empty() && joinsAt(end)) {
    const std::size_t insertedCr = fromPosition + ScriptPositions::PositionsIn(edit.inserted) - 1;
    changes.joinedBreaksAt.push_back(insertedCr);
  }
  // The text before the edit kept its positions, unless its last character was the CR that
  // joined: then only the text before that CR is known.
  if (joinsAt(from)) {
    changes.joinedBreaksAt.push_back(fromPosition - 1);
    scriptPositions_.Remember(fromPosition - 1, from - 1);
  } else {
    scriptPositions_.Remember(fromPosition, from);
  }
  return changes;
}

FieldChanges EditorController::ChangeTick(Control box, bool ticked) {
  FieldChanges changes;
  if (ended_ || !IsOptionBox(box) || state_.Tick(box) == ticked) {
    return changes;
  }
  state_.Tick(box) = ticked;
  ToggleOption(box, state_, settings_);
  if (const auto valueBox = SwitchOf(box).valueBox) {
    changes.Add(*valueBox);
  }
  return changes;
}

FieldChanges EditorController::ChooseEntry(Control list, std::size_t position) {
  if (ended_ || !IsList(list) || position >= state_.List(list).entries.size()) {
    return {};
  }
  state_.List(list).chosen = position;
  if (list == Control::Combo1) {
    ChooseMode(state_, settings_);
  }
  return {};
}

FieldChanges EditorController::PressButton(Control button) {
  if (ended_) {
    return {};
  }
  if (button == Control::Command1) {
    return AddBlock();
  }
  if (button == Control::Command2) {
    SaveScript(state_, platform_.files, platform_.encoder, platform_.showMessage);
  }
  return {};
}

FieldChanges EditorController::AddBlock() {
  FieldChanges changes;
  const std::size_t oldLength = state_.Text6.size();
  if (AddToScript(state_, settings_, platform_.showMessage)) {
    changes.Add(Control::Text6);
    changes.scriptAppendedAt = oldLength;
  }
  return changes;
}

FieldChanges EditorController::Close() {
  ended_ = true;
  return {};
}

}  // namespace zarvex
