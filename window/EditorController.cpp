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
#include "text/ChangeKind.h"
#include "text/WordStops.h"

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

std::size_t TextBoxIndex(Control box) {
  switch (box) {
    case Control::Text1:
      return 0;
    case Control::Text2:
      return 1;
    case Control::Text3:
      return 2;
    case Control::Text5:
      return 3;
    default:
      return 4;
  }
}

// A value box holds one line: a line break in what it is given, and all after it, are dropped.
// Says how the box, which shows all it was given, drops them.
std::optional<FieldChanges::BoxEdit> KeepFirstLine(Control box, std::string_view text,
                                                   TextChange& change) {
  const std::size_t lineEnd = change.inserted.find_first_of("\r\n");
  if (lineEnd == std::string::npos) {
    return std::nullopt;
  }
  TextPositions positions(TextUnits::kCodeUnits);
  const std::size_t cut =
      positions.PositionOf(text, change.offset) +
      positions.PositionsIn(std::string_view(change.inserted).substr(0, lineEnd));
  const std::size_t dropped =
      positions.PositionsIn(std::string_view(change.inserted).substr(lineEnd));
  change.inserted.resize(lineEnd);
  return FieldChanges::BoxEdit{box, cut, dropped, {}, cut};
}

// The bytes of the longest UTF-8 character.
constexpr std::size_t kLongestCharacter = 4;

// The kind of a change the window reported at `position`. A window may report more than changed
// (Qt reports an input-method commit as its whole line replaced by itself and one character):
// when only what really differs shows typing or a deletion, the change is narrowed to that.
ChangeKind KindOfReported(TextChange& change, const TextEdit& edit, std::size_t position,
                          const TextPositions& positions) {
  const auto caretAfter = [&](const TextChange& reported, std::size_t at) {
    return edit.caret == at + positions.PositionsIn(reported.inserted);
  };
  const ChangeKind kind = KindOfChange(change, edit.source, caretAfter(change, position));
  const std::size_t removed = change.removed.size();
  const std::size_t inserted = change.inserted.size();
  if (kind != ChangeKind::kOwnStep ||
      std::max(removed, inserted) - std::min(removed, inserted) > kLongestCharacter) {
    return kind;
  }
  TextChange narrowed = change;
  const std::size_t same = TrimToDifference(narrowed);
  const std::size_t narrowedAt =
      position + positions.PositionsIn(std::string_view(change.inserted).substr(0, same));
  const ChangeKind narrowedKind =
      KindOfChange(narrowed, edit.source, caretAfter(narrowed, narrowedAt));
  if (narrowedKind != ChangeKind::kOwnStep) {
    change = std::move(narrowed);
  }
  return narrowedKind;
}

}  // namespace

EditorController::EditorController(EditorPlatform platform)
    : platform_(std::move(platform)),
      boxes_{{{state_.Box(Control::Text1).text, TextPositions(TextUnits::kCodeUnits), {}},
              {state_.Box(Control::Text2).text, TextPositions(TextUnits::kCodeUnits), {}},
              {state_.Box(Control::Text3).text, TextPositions(TextUnits::kCodeUnits), {}},
              {state_.Box(Control::Text5).text, TextPositions(TextUnits::kCodeUnits), {}},
              {state_.Text6, TextPositions(platform_.scriptUnits), {}}}} {}

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
  FieldChanges changes;
  if (!TakesEditing(box)) {
    return changes;
  }
  TextBox& target = BoxOf(box);
  TextChange change = ChangeBetween(target.text, text);
  if (box != Control::Text6) {
    changes.boxEdit = KeepFirstLine(box, target.text, change);
  }
  target.text.replace(change.offset, change.removed.size(), change.inserted);
  target.positions.Forget();
  target.history.Record(std::move(change), ChangeKind::kOwnStep);
  return changes;
}

FieldChanges EditorController::EditText(Control box, const TextEdit& edit) {
  if (box == Control::Text6) {
    return EditScript(edit);
  }
  FieldChanges changes;
  if (!TakesEditing(box)) {
    return changes;
  }
  TextBox& target = BoxOf(box);
  // A value box's text is short, and the editor may have set it since: map it afresh.
  target.positions.Forget();
  const std::size_t from = target.positions.ByteOffsetOf(target.text, edit.position);
  const std::size_t fromPosition = target.positions.ReachedPosition();
  const std::size_t to = target.positions.ByteOffsetOf(target.text, edit.position + edit.removed);
  TextChange change{from, target.text.substr(from, to - from), edit.inserted};
  const ChangeKind kind = KindOfReported(change, edit, fromPosition, target.positions);
  changes.boxEdit = KeepFirstLine(box, target.text, change);
  target.text.replace(change.offset, change.removed.size(), change.inserted);
  target.positions.Forget();
  target.history.Record(std::move(change), kind);
  return changes;
}

FieldChanges EditorController::EditScript(const TextEdit& edit) {
  FieldChanges changes;
  if (ended_) {
    return changes;
  }
  TextBox& script = BoxOf(Control::Text6);
  std::string& text = script.text;
  TextPositions& positions = script.positions;
  const std::size_t from = positions.ByteOffsetOf(text, edit.position);
  const std::size_t fromPosition = positions.ReachedPosition();
  const std::size_t to = positions.ByteOffsetOf(text, edit.position + edit.removed);
  const std::size_t insertedPositions = positions.PositionsIn(edit.inserted);
  TextChange change{from, text.substr(from, to - from), edit.inserted};
  const ChangeKind kind = KindOfReported(change, edit, fromPosition, positions);
  script.history.Record(std::move(change), kind);
  text.replace(from, to - from, edit.inserted);
  // A lone CR and a lone LF that the edit made neighbours are one CR LF line break from now on, in
  // the file as in a Windows edit box; a widget that keeps them apart is told to join them.
  const auto joinsAt = [&text](std::size_t offset) {
    return offset > 0 && offset < text.size() && text[offset - 1] == '\r' && text[offset] == '\n';
  };
  const std::size_t end = from + edit.inserted.size();
  if (!edit.inserted.empty() && joinsAt(end)) {
    changes.joinedBreaksAt.push_back(fromPosition + insertedPositions - 1);
  }
  // The text before the edit kept its positions, unless its last character was the CR that
  // joined: then only the text before that CR is known.
  if (joinsAt(from)) {
    changes.joinedBreaksAt.push_back(fromPosition - 1);
    positions.Remember(fromPosition - 1, from - 1);
  } else {
    positions.Remember(fromPosition, from);
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
    // The editor set the box's text: the user's steps before that are gone with it.
    BoxOf(*valueBox).history.Clear();
    BoxOf(*valueBox).positions.Forget();
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
    BoxOf(Control::Text6)
        .history.Record({oldLength, {}, state_.Text6.substr(oldLength)}, ChangeKind::kAdded);
  }
  return changes;
}

FieldChanges EditorController::Undo(Control box) {
  return TakeStep(box, true);
}

FieldChanges EditorController::Redo(Control box) {
  return TakeStep(box, false);
}

bool EditorController::CanUndo(Control box) const {
  return TakesEditing(box) && BoxOf(box).history.CanUndo();
}

bool EditorController::CanRedo(Control box) const {
  return TakesEditing(box) && BoxOf(box).history.CanRedo();
}

FieldChanges EditorController::TakeStep(Control box, bool undo) {
  FieldChanges changes;
  if (!TakesEditing(box)) {
    return changes;
  }
  TextBox& target = BoxOf(box);
  const auto step = undo ? target.history.Undo() : target.history.Redo();
  if (!step) {
    return changes;
  }
  if (step->kind == ChangeKind::kAdded && !undo && step->offset == target.text.size()) {
    // The block comes back as an add brings it: caret and view at the start.
    target.text += step->inserted;
    changes.Add(Control::Text6);
    changes.scriptAppendedAt = step->offset;
    return changes;
  }
  changes.boxEdit = ApplyChange(box, step->offset, step->removed, step->inserted);
  return changes;
}

FieldChanges EditorController::DeleteWord(Control box, TextSelection selection, bool forward) {
  FieldChanges changes;
  if (!TakesEditing(box)) {
    return changes;
  }
  TextBox& target = BoxOf(box);
  const std::string& text = target.text;
  std::size_t from =
      target.positions.ByteOffsetOf(text, std::min(selection.anchor, selection.caret));
  std::size_t to = target.positions.ByteOffsetOf(text, std::max(selection.anchor, selection.caret));
  if (from == to && forward) {
    to = WordStopAfter(text, to);
  } else if (from == to) {
    from = WordStopBefore(text, from);
  }
  if (from == to) {
    return changes;
  }
  TextChange change{from, text.substr(from, to - from), {}};
  changes.boxEdit = ApplyChange(box, from, change.removed, {});
  target.history.Record(std::move(change), ChangeKind::kOwnStep);
  return changes;
}

TextSelection EditorController::MoveByWord(Control box, TextSelection selection, bool forward,
                                           bool extend) {
  if (!TakesEditing(box)) {
    return selection;
  }
  TextBox& target = BoxOf(box);
  const std::size_t offset = target.positions.ByteOffsetOf(target.text, selection.caret);
  const std::size_t stop =
      target.positions.PositionOf(target.text, forward ? WordStopAfter(target.text, offset)
                                                       : WordStopBefore(target.text, offset));
  return {extend ? selection.anchor : stop, stop};
}

FieldChanges::BoxEdit EditorController::ApplyChange(Control box, std::size_t offset,
                                                    std::string_view removed,
                                                    std::string_view inserted) {
  TextBox& target = BoxOf(box);
  std::string& text = target.text;
  std::size_t from = offset;
  std::size_t to = offset + removed.size();
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
  std::string shown = text.substr(from, offset - from);
  shown += inserted;
  shown.append(text, offset + removed.size(), to - offset - removed.size());
  TextPositions& positions = target.positions;
  const std::size_t position = positions.PositionOf(text, from);
  const std::size_t removedPositions = positions.PositionOf(text, to) - position;
  text.replace(from, to - from, shown);
  positions.Remember(position, from);
  const std::size_t caret = positions.PositionOf(text, offset + inserted.size());
  return {box, position, removedPositions, std::move(shown), caret};
}

bool EditorController::TakesEditing(Control box) const {
  return !ended_ && (box == Control::Text6 || (IsValueBox(box) && state_.Box(box).enabled));
}

EditorController::TextBox& EditorController::BoxOf(Control box) {
  return boxes_.at(TextBoxIndex(box));
}

const EditorController::TextBox& EditorController::BoxOf(Control box) const {
  return boxes_.at(TextBoxIndex(box));
}

FieldChanges EditorController::Close() {
  ended_ = true;
  return {};
}

}  // namespace zarvex
