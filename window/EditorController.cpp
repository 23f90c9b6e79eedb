#include "window/EditorController.h"

#include <algorithm>
#include <utility>

#include "platform/Utf8.h"
#include "script/AddToScript.h"
#include "script/GameModeTable.h"
#include "script/OptionSwitches.h"
#include "script/ServerCarList.h"
#include "script/TrackList.h"
#include "scriptfile/SaveScript.h"
#include "window/WordStops.h"

namespace zarvex {

namespace {

// The one change that turns `before` into `after`: what lies between their common start and their
// common end, never splitting a character.
TextChange ChangeBetween(std::string_view before, std::string_view after) {
  std::size_t start = 0;
  const std::size_t shorter = std::min(before.size(), after.size());
  while (start < shorter && before[start] == after[start]) {
    ++start;
  }
  while (start > 0 && start < before.size() && IsUtf8Continuation(before[start])) {
    --start;
  }
  std::size_t end = 0;
  while (end < shorter - start &&
         before[before.size() - 1 - end] == after[after.size() - 1 - end]) {
    ++end;
  }
  while (end > 0 && IsUtf8Continuation(before[before.size() - end])) {
    --end;
  }
  return {start, std::string(before.substr(start, before.size() - end - start)),
          std::string(after.substr(start, after.size() - end - start))};
}

bool IsOneCharacter(std::string_view text) {
  return !text.empty() && std::all_of(text.begin() + 1, text.end(), IsUtf8Continuation);
}

ChangeKind KindOfTyping(const TextChange& change) {
  if (change.removed.empty() && IsOneCharacter(change.inserted)) {
    return ChangeKind::kTyped;
  }
  if (change.inserted.empty() && IsOneCharacter(change.removed)) {
    return ChangeKind::kDeletedKey;
  }
  return ChangeKind::kOther;
}

}  // namespace

EditorController::EditorController(EditorPlatform platform)
    : platform_(std::move(platform)), scriptPositions_(platform_.scriptUnits) {}

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
  FieldChanges changes;
  if (box == Control::Text6) {
    scriptHistory_.Record(ChangeBetween(state_.Text6, text), ChangeKind::kOther);
    state_.Text6 = std::move(text);
    scriptPositions_.Forget();
  } else if (TakesEditing(box)) {
    std::string& boxText = state_.Box(box).text;
    TextChange change = ChangeBetween(boxText, text);
    const ChangeKind kind = KindOfTyping(change);
    // A value box holds one line: a pasted line break and all after it are dropped.
    const std::size_t lineEnd = change.inserted.find_first_of("\r\n");
    if (lineEnd != std::string::npos) {
      ScriptPositions positions(TextUnits::kCodeUnits);
      const std::size_t cut = change.offset + lineEnd;
      const std::size_t cutPosition = positions.PositionOf(text, cut);
      const std::size_t dropped = positions.PositionsIn(change.inserted.substr(lineEnd));
      changes.boxEdit = FieldChanges::BoxEdit{box, {cutPosition, dropped, {}}, cutPosition};
      text.erase(cut, change.inserted.size() - lineEnd);
      change.inserted.resize(lineEnd);
    }
    HistoryOf(box)->Record(std::move(change), kind);
    boxText = std::move(text);
  }
  return changes;
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
  scriptHistory_.Record({from, text.substr(from, to - from), edit.inserted}, edit.kind);
  text.replace(from, to - from, edit.inserted);
  // A lone CR and a lone LF that the edit made neighbours are one CR LF line break from now on, in
  // the file as in a Windows edit box; a widget that keeps them apart is told to join them.
  const auto joinsAt = [&text](std::size_t offset) {
    return offset > 0 && offset < text.size() && text[offset - 1] == '\r' && text[offset] == '\n';
  };
  const std::size_t end = from + edit.inserted.size();
  if (!edit.inserted.empty() && joinsAt(end)) {
    const std::size_t insertedCr = fromPosition + scriptPositions_.PositionsIn(edit.inserted) - 1;
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
  EndTyping();
  state_.Tick(box) = ticked;
  ToggleOption(box, state_, settings_);
  if (const auto valueBox = SwitchOf(box).valueBox) {
    // The editor set the box's text: the user's steps before that are gone with it.
    HistoryOf(*valueBox)->Clear();
    changes.Add(*valueBox);
  }
  return changes;
}

FieldChanges EditorController::ChooseEntry(Control list, std::size_t position) {
  if (ended_ || !IsList(list) || position >= state_.List(list).entries.size()) {
    return {};
  }
  EndTyping();
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
  EndTyping();
  if (button == Control::Command1) {
    return AddBlock();
  }
  if (button == Control::Command2) {
    SaveScript(state_, platform_.gameFolder, platform_.files, platform_.encoder,
               platform_.showMessage);
  }
  return {};
}

FieldChanges EditorController::AddBlock() {
  FieldChanges changes;
  const std::size_t oldLength = state_.Text6.size();
  if (AddToScript(state_, settings_, platform_.showMessage)) {
    changes.Add(Control::Text6);
    changes.scriptAppendedAt = oldLength;
    scriptHistory_.Record({oldLength, {}, state_.Text6.substr(oldLength)}, ChangeKind::kAdded);
  }
  return changes;
}

FieldChanges EditorController::Undo(Control box) {
  return Step(box, true);
}

FieldChanges EditorController::Redo(Control box) {
  return Step(box, false);
}

bool EditorController::CanUndo(Control box) const {
  const TextHistory* history = HistoryOf(box);
  return TakesEditing(box) && history->CanUndo();
}

bool EditorController::CanRedo(Control box) const {
  const TextHistory* history = HistoryOf(box);
  return TakesEditing(box) && history->CanRedo();
}

FieldChanges EditorController::Step(Control box, bool undo) {
  FieldChanges changes;
  if (!TakesEditing(box)) {
    return changes;
  }
  TextHistory& history = *HistoryOf(box);
  const auto step = undo ? history.Undo() : history.Redo();
  if (!step) {
    return changes;
  }
  std::string& text = TextOf(box);
  const TextChange& change = step->change;
  if (step->kind == ChangeKind::kAdded && !undo && change.offset == text.size()) {
    // The block comes back as an add brings it: caret and view at the start.
    text += change.inserted;
    changes.Add(Control::Text6);
    changes.scriptAppendedAt = change.offset;
    return changes;
  }
  changes.boxEdit = ApplyChange(box, change);
  return changes;
}

FieldChanges EditorController::DeleteWord(Control box, std::size_t anchor, std::size_t caret,
                                          bool forward) {
  FieldChanges changes;
  if (!TakesEditing(box)) {
    return changes;
  }
  std::string& text = TextOf(box);
  ScriptPositions boxPositions(TextUnits::kCodeUnits);
  ScriptPositions& positions = PositionsOf(box, boxPositions);
  std::size_t from = positions.ByteOffsetOf(text, std::min(anchor, caret));
  std::size_t to = positions.ByteOffsetOf(text, std::max(anchor, caret));
  if (from == to && forward) {
    to = WordStopAfter(text, to);
  } else if (from == to) {
    from = WordStopBefore(text, from);
  }
  if (from == to) {
    return changes;
  }
  TextChange change{from, text.substr(from, to - from), {}};
  changes.boxEdit = ApplyChange(box, change);
  HistoryOf(box)->Record(std::move(change), ChangeKind::kOther);
  return changes;
}

std::size_t EditorController::WordStop(Control box, std::size_t position, bool forward) {
  if (!IsValueBox(box) && box != Control::Text6) {
    return position;
  }
  HistoryOf(box)->EndTyping();
  const std::string& text = TextOf(box);
  ScriptPositions boxPositions(TextUnits::kCodeUnits);
  ScriptPositions& positions = PositionsOf(box, boxPositions);
  const std::size_t offset = positions.ByteOffsetOf(text, position);
  return positions.PositionOf(text,
                              forward ? WordStopAfter(text, offset) : WordStopBefore(text, offset));
}

FieldChanges::BoxEdit EditorController::ApplyChange(Control box, const TextChange& change) {
  std::string& text = TextOf(box);
  std::size_t from = change.offset;
  std::size_t to = change.offset + change.removed.size();
  ScriptPositions boxPositions(TextUnits::kCodeUnits);
  ScriptPositions& positions = PositionsOf(box, boxPositions);
  if (box == Control::Text6 && platform_.scriptUnits == TextUnits::kLineBreakIsOne) {
    // A widget that shows CR LF as one break cannot be edited between its halves, and must see a
    // lone CR and a lone LF that come together or apart: the change takes in a CR just before it
    // and an LF just after it.
    if (from > 0 && text[from - 1] == '\r') {
      --from;
    }
    if (to < text.size() && text[to] == '\n') {
      ++to;
    }
  }
  std::string shown = text.substr(from, change.offset - from);
  shown += change.inserted;
  shown.append(text, change.offset + change.removed.size(),
               to - change.offset - change.removed.size());
  const std::size_t position = positions.PositionOf(text, from);
  const std::size_t removed = positions.PositionOf(text, to) - position;
  text.replace(from, to - from, shown);
  positions.Remember(position, from);
  const std::size_t caret = positions.PositionOf(text, change.offset + change.inserted.size());
  return {box, {position, removed, std::move(shown)}, caret};
}

ScriptPositions& EditorController::PositionsOf(Control box, ScriptPositions& valueBox) {
  return box == Control::Text6 ? scriptPositions_ : valueBox;
}

bool EditorController::TakesEditing(Control box) const {
  return !ended_ && (box == Control::Text6 || (IsValueBox(box) && state_.Box(box).enabled));
}

std::string& EditorController::TextOf(Control box) {
  return box == Control::Text6 ? state_.Text6 : state_.Box(box).text;
}

TextHistory* EditorController::HistoryOf(Control box) {
  return const_cast<TextHistory*>(std::as_const(*this).HistoryOf(box));
}

const TextHistory* EditorController::HistoryOf(Control box) const {
  switch (box) {
    case Control::Text1:
      return &valueBoxHistories_[0];
    case Control::Text2:
      return &valueBoxHistories_[1];
    case Control::Text3:
      return &valueBoxHistories_[2];
    case Control::Text5:
      return &valueBoxHistories_[3];
    case Control::Text6:
      return &scriptHistory_;
    default:
      return nullptr;
  }
}

void EditorController::EndTyping() {
  scriptHistory_.EndTyping();
  for (TextHistory& history : valueBoxHistories_) {
    history.EndTyping();
  }
}

FieldChanges EditorController::Close() {
  ended_ = true;
  return {};
}

}  // namespace zarvex
