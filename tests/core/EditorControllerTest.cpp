#include "window/EditorController.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "TestSupport.h"
#include "platform/NativePlatform.h"
#include "script/ServerCarList.h"
#include "script/TrackList.h"
#include "scriptfile/SaveScript.h"
#include "text/TextHistory.h"
#include "text/TextPositions.h"
#include "text/WordStops.h"

namespace zarvex {
namespace {

using testing::MessageLog;
using testing::ReadFile;
using testing::ScratchWorkingDirectory;

class Editor {
 public:
  Editor() : controller_({log_.Recorder(), NativeFileReplacer(), NativeTextEncoder()}) {}
  EditorController& operator*() { return controller_; }
  EditorController* operator->() { return &controller_; }
  const MessageLog& Log() const { return log_; }

 private:
  MessageLog log_;
  EditorController controller_;
};

std::size_t PositionOf(std::string_view entry, Control list, const EditorController& editor) {
  const auto& entries = editor.State().List(list).entries;
  const auto found = std::find(entries.begin(), entries.end(), entry);
  EXPECT_NE(found, entries.end()) << entry;
  return static_cast<std::size_t>(found - entries.begin());
}

TEST(EditorController, StartFillsTheListsAndRunsNothing) {
  Editor editor;
  const FieldChanges changes = editor->Start();
  EXPECT_TRUE(changes.Has(Control::Combo1) && changes.Has(Control::Combo2) &&
              changes.Has(Control::Combo3));
  const EditorState& state = editor->State();
  EXPECT_EQ(state.Combo1.entries.size(), 6u);
  EXPECT_EQ(state.Combo1.entries[1], "Death Race");
  EXPECT_TRUE(std::equal(state.Combo2.entries.begin(), state.Combo2.entries.end(),
                         TrackList.begin(), TrackList.end()));
  EXPECT_TRUE(std::equal(state.Combo3.entries.begin(), state.Combo3.entries.end(),
                         ServerCarList.begin(), ServerCarList.end()));
  EXPECT_FALSE(state.Combo1.chosen || state.Combo2.chosen || state.Combo3.chosen);
  EXPECT_EQ(editor->Settings(), ScriptSettings{});
  EXPECT_EQ(state.Text5.text, "1");
  EXPECT_FALSE(state.Text1.enabled);

  // A second start must not fill the lists twice.
  EXPECT_TRUE(editor->Start().None());
  EXPECT_EQ(editor->State().Combo2.entries.size(), 36u);
}

TEST(EditorController, ReplaysTheTypicalRoadToTheSavedFile) {
  ScratchWorkingDirectory folder;
  std::filesystem::create_directory("ASSETS");
  Editor editor;
  editor->Start();

  const FieldChanges tick = editor->ChangeTick(Control::Check2, true);
  EXPECT_TRUE(tick.Has(Control::Text2));
  EXPECT_FALSE(tick.Has(Control::Text6));
  EXPECT_TRUE(editor->State().Text2.enabled);
  EXPECT_EQ(editor->State().Text2.text, "1");
  editor->ChangeText(Control::Text2, "3");
  editor->ChangeText(Control::Text2, "30");
  editor->ChangeText(Control::Text2, "300");
  editor->ChooseEntry(Control::Combo1, PositionOf("Death Race", Control::Combo1, *editor));
  EXPECT_EQ(editor->Settings().modeKeyword, "DEATH_RACE");
  editor->ChooseEntry(Control::Combo2, PositionOf("HiRise_Race2", Control::Combo2, *editor));
  editor->ChooseEntry(Control::Combo3, PositionOf("Space Host", Control::Combo3, *editor));
  EXPECT_TRUE(editor->State().Text6.empty()) << "choosing alone adds nothing";

  const FieldChanges added = editor->PressButton(Control::Command1);
  EXPECT_TRUE(added.Has(Control::Text6));
  EXPECT_EQ(added.scriptAppendedAt, 0u);
  EXPECT_TRUE(editor->PressButton(Control::Command2).None());

  EXPECT_EQ(ReadFile("ASSETS/gamescript.txt"),
            "DEATH_RACE\r\n"
            "  TRACK \"HiRise_Race2\"\r\n"
            "  USE_TIME_LIMIT 1\r\n"
            "  TIME_LIMIT 300\r\n"
            "  USE_WASTED_LIMIT 0\r\n"
            "  WASTED_LIMIT 0\r\n"
            "  USE_RECOVER_DELAY 0\r\n"
            "  RECOVER_DELAY 0\r\n"
            "  REPAIR 0\r\n"
            "  SERVER_SET_CAR 0\r\n"
            "  SERVER_CAR \"Space Host\"\r\n"
            "  CARS_ON_MAP 0\r\n"
            "  LAPS 1\r\n"
            "END\r\n"
            "\r\n"
            "\r\n");
  EXPECT_TRUE(editor.Log().Messages().empty());
}

TEST(EditorController, ReplaysTwoAddsAnInvalidNumberAndASave) {
  ScratchWorkingDirectory folder;
  std::filesystem::create_directory("ASSETS");
  Editor editor;
  editor->Start();

  editor->ChangeTick(Control::Check4, true);
  editor->ChangeText(Control::Text5, " 3 ");
  editor->ChooseEntry(Control::Combo2, PositionOf("Arena", Control::Combo2, *editor));
  editor->ChooseEntry(Control::Combo3, PositionOf("Ka", Control::Combo3, *editor));
  const FieldChanges first = editor->PressButton(Control::Command1);
  EXPECT_EQ(first.scriptAppendedAt, 0u);
  const std::size_t firstLength = editor->State().Text6.size();

  editor->ChangeTick(Control::Check1, true);
  editor->ChangeText(Control::Text1, "40000");
  const FieldChanges refused = editor->PressButton(Control::Command1);
  EXPECT_TRUE(refused.None());
  EXPECT_EQ(editor.Log().Messages(), std::vector<std::string>{"Must be a number!"});
  EXPECT_EQ(editor->State().Text6.size(), firstLength);

  editor->ChangeText(Control::Text1, "-5");
  editor->ChooseEntry(Control::Combo1, PositionOf("Hot Nut", Control::Combo1, *editor));
  const FieldChanges second = editor->PressButton(Control::Command1);
  EXPECT_EQ(second.scriptAppendedAt, firstLength);
  editor->PressButton(Control::Command2);

  EXPECT_EQ(ReadFile("ASSETS/gamescript.txt"),
            "FREE_FOR_ALL\r\n"
            "  TRACK \"Arena\"\r\n"
            "  USE_TIME_LIMIT 0\r\n"
            "  TIME_LIMIT 0\r\n"
            "  USE_WASTED_LIMIT 0\r\n"
            "  WASTED_LIMIT 0\r\n"
            "  USE_RECOVER_DELAY 0\r\n"
            "  RECOVER_DELAY 0\r\n"
            "  REPAIR 1\r\n"
            "  SERVER_SET_CAR 0\r\n"
            "  SERVER_CAR \"Ka\"\r\n"
            "  CARS_ON_MAP 0\r\n"
            "  LAPS 3\r\n"
            "END\r\n"
            "\r\n"
            "HOT_NUT\r\n"
            "  TRACK \"Arena\"\r\n"
            "  USE_TIME_LIMIT 0\r\n"
            "  TIME_LIMIT 0\r\n"
            "  USE_WASTED_LIMIT 1\r\n"
            "  WASTED_LIMIT -5\r\n"
            "  USE_RECOVER_DELAY 0\r\n"
            "  RECOVER_DELAY 0\r\n"
            "  REPAIR 1\r\n"
            "  SERVER_SET_CAR 0\r\n"
            "  SERVER_CAR \"Ka\"\r\n"
            "  CARS_ON_MAP 0\r\n"
            "  LAPS 3\r\n"
            "END\r\n"
            "\r\n"
            "\r\n");
  EXPECT_EQ(editor.Log().Messages().size(), 1u);
}

TEST(EditorController, TakesOnlyWhatTheUserCouldDo) {
  Editor editor;
  editor->Start();
  {
    SCOPED_TRACE("a disabled value box takes no typing");
    editor->ChangeText(Control::Text1, "12");
    EXPECT_EQ(editor->State().Text1.text, "0");
  }
  {
    SCOPED_TRACE("a choice past the end of a list is no choice");
    editor->ChooseEntry(Control::Combo2, 36);
    EXPECT_FALSE(editor->State().Combo2.chosen);
  }
  {
    SCOPED_TRACE("a tick that does not change the box runs nothing");
    editor->ChangeTick(Control::Check2, true);
    editor->ChangeText(Control::Text2, "90");
    EXPECT_TRUE(editor->ChangeTick(Control::Check2, true).None());
    EXPECT_EQ(editor->State().Text2.text, "90");
  }
  {
    SCOPED_TRACE("after closing, nothing more is taken");
    editor->Close();
    EXPECT_TRUE(editor->HasEnded());
    EXPECT_TRUE(editor->PressButton(Control::Command1).None());
    EXPECT_TRUE(editor->State().Text6.empty());
  }
}

TEST(EditorController, EditsTheScriptInWidgetPositions) {
  Editor editor;
  const auto edit = [&](std::size_t position, std::size_t removed, std::string inserted) {
    editor->EditText(Control::Text6, {position, removed, std::move(inserted)});
    return editor->State().Text6;
  };
  EXPECT_EQ(edit(0, 0, "ab"), "ab");
  EXPECT_EQ(edit(2, 0, "\r\n"), "ab\r\n");
  // A line break counts as one position: position 3 is after it.
  EXPECT_EQ(edit(3, 0, "c"), "ab\r\nc");
  // Non-ASCII: "é" is one position and two bytes, "𝄞" two positions and four bytes.
  EXPECT_EQ(edit(4, 0, "\xC3\xA9\xF0\x9D\x84\x9E"), "ab\r\nc\xC3\xA9\xF0\x9D\x84\x9E");
  EXPECT_EQ(edit(7, 0, "!"), "ab\r\nc\xC3\xA9\xF0\x9D\x84\x9E!");
  // Backspace over the line break, then far back to the start: both directions map right.
  EXPECT_EQ(edit(2, 1, ""), "abc\xC3\xA9\xF0\x9D\x84\x9E!");
  EXPECT_EQ(edit(0, 1, "\xC2\xA0"),
            "\xC2\xA0"
            "bc\xC3\xA9\xF0\x9D\x84\x9E!");
  EXPECT_EQ(edit(4, 3, "x"),
            "\xC2\xA0"
            "bc\xC3\xA9x");
  // A removal past the end stops at the end.
  EXPECT_EQ(edit(5, 100, ""),
            "\xC2\xA0"
            "bc\xC3\xA9x");

  // An add between edits keeps later edits in the right place.
  editor->ChangeText(Control::Text6, "abc");
  editor->PressButton(Control::Command1);
  const std::string afterAdd = editor->State().Text6;
  ASSERT_EQ(afterAdd.substr(0, 15), "abcFREE_FOR_ALL");
  EXPECT_EQ(edit(3, 0, "\r\n"), "abc\r\n" + afterAdd.substr(3));
  EXPECT_EQ(edit(4, 0, "Z"), "abc\r\nZ" + afterAdd.substr(3));

  // A lone CR and a lone LF that an edit makes neighbours become one break; the view is told
  // where, last first, counting the two breaks apart as it still holds them.
  struct Join {
    std::string before;
    std::size_t position;
    std::size_t removed;
    std::string inserted;
    std::vector<std::size_t> joinedAt;
  };
  // clang-format off
  const std::vector<Join> joins = {
      {"a\r",      2, 0, "\nb",    {1}},     // an LF pasted after a lone CR
      {"\nb",      0, 0, "a\r",    {1}},     // a CR pasted before a lone LF
      {"a\rX\nb", 2, 1, "",       {1}},     // what stood between them deleted
      {"a\rb\nc", 2, 1, "\nX\r", {4, 1}},  // both edges at once
      {"a\r\n",   2, 0, "\n",     {}},      // an LF after a CR LF stays a break of its own
  };
  // clang-format on
  for (const Join& join : joins) {
    SCOPED_TRACE(join.before + " + " + join.inserted);
    editor->ChangeText(Control::Text6, join.before);
    EXPECT_EQ(editor->EditText(Control::Text6, {join.position, join.removed, join.inserted})
                  .joinedBreaksAt,
              join.joinedAt);
  }
}

// A key typed at the caret, in the box's positions; `removed` is the selection it replaces.
TextEdit Typed(std::size_t position, std::string key, std::size_t removed = 0) {
  return {position, removed, std::move(key), position + 1, EditSource::kKeys};
}

TEST(ChangeKind, OneCharacterAtTheCaretIsTypingOneRemovedIsADeletion) {
  const struct {
    TextChange change;
    EditSource source;
    bool caretAfterInsert;
    ChangeKind kind;
  } rows[] = {
      {{0, "", "a"}, EditSource::kKeys, true, ChangeKind::kTyping},
      {{0, "old", "a"}, EditSource::kKeys, true, ChangeKind::kTyping},  // over a selection
      {{0, "", "\xC3\xA9"}, EditSource::kKeys, true, ChangeKind::kTyping},
      {{0, "", "\xF0\x9F\x98\x80"}, EditSource::kKeys, true, ChangeKind::kTyping},
      {{0, "", "\r\n"}, EditSource::kKeys, true, ChangeKind::kTyping},
      {{0, "", "\n\r"}, EditSource::kKeys, true, ChangeKind::kOwnStep},
      {{0, "", "ab"}, EditSource::kKeys, true, ChangeKind::kOwnStep},
      {{0, "", "\xC3"}, EditSource::kKeys, true, ChangeKind::kOwnStep},  // half a character
      {{0, "", "a"}, EditSource::kKeys, false, ChangeKind::kOwnStep},    // not at the caret
      {{0, "", "a"}, EditSource::kPaste, true, ChangeKind::kOwnStep},
      {{0, "", "a"}, EditSource::kDrop, true, ChangeKind::kOwnStep},
      {{0, "b", ""}, EditSource::kKeys, true, ChangeKind::kDeletion},
      {{0, "\r\n", ""}, EditSource::kKeys, true, ChangeKind::kDeletion},
      {{0, "bc", ""}, EditSource::kKeys, true, ChangeKind::kOwnStep},  // a selection removed
      {{0, "b", ""}, EditSource::kCut, true, ChangeKind::kOwnStep},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE("removed \"" + row.change.removed + "\", inserted \"" + row.change.inserted +
                 "\"");
    EXPECT_EQ(KindOfChange(row.change, row.source, row.caretAfterInsert), row.kind);
  }
}

TEST(TextEdit, AnEditEndingAtTheCaretIsReadFromTheLengths) {
  const struct {
    std::size_t selectionStart, lengthBefore, caretAfter, lengthAfter;
    std::optional<EditSpan> edit;
  } rows[] = {
      {2, 5, 3, 6, EditSpan{2, 0, 1}},  // typed at the caret
      {1, 5, 2, 3, EditSpan{1, 3, 1}},  // typed over three selected
      {2, 5, 1, 4, EditSpan{1, 1, 0}},  // Backspace
      {2, 5, 2, 4, EditSpan{2, 1, 0}},  // Delete
      {0, 5, 6, 6, EditSpan{0, 5, 6}},  // a paste over all
      {4, 5, 6, 5, std::nullopt},       // the caret past the end
      {4, 5, 5, 7, std::nullopt},       // grew by more than was put in
      {3, 5, 3, 2, std::nullopt},       // removed more than stood after the start
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.selectionStart) + " " + std::to_string(row.caretAfter));
    const auto edit =
        EditEndingAtCaret(row.selectionStart, row.lengthBefore, row.caretAfter, row.lengthAfter);
    ASSERT_EQ(edit.has_value(), row.edit.has_value());
    if (edit) {
      EXPECT_EQ(edit->position, row.edit->position);
      EXPECT_EQ(edit->removed, row.edit->removed);
      EXPECT_EQ(edit->inserted, row.edit->inserted);
    }
  }
}

TEST(EditorController, UndoStepsFollowOneRuleInEveryTextBox) {
  // Each row starts a fresh editor, runs its actions on the script area (or the laps box, which
  // starts as "1"), and undoes step by step: the text after each undo. `canRedo`: before the undos.
  using Action = std::function<void(EditorController&)>;
  const auto type = [](std::size_t at, std::string key, Control box = Control::Text6) {
    return Action([=](EditorController& e) { e.EditText(box, Typed(at, key)); });
  };
  const auto edit = [](TextEdit change, Control box = Control::Text6) {
    return Action([=](EditorController& e) { e.EditText(box, change); });
  };
  const auto moveByWord = [](std::size_t caret, bool forward) {
    return Action([=](EditorController& e) {
      (void)e.MoveByWord(Control::Text6, {caret, caret}, forward, false);
    });
  };
  const auto undo = Action([](EditorController& e) { e.Undo(Control::Text6); });
  const Action add = [](EditorController& e) { e.PressButton(Control::Command1); };
  const struct {
    const char* name;
    Control box;
    std::vector<Action> actions;
    std::vector<std::string> afterEachUndo;
    bool canRedo = false;
  } rows[] = {
      {"typing in a row, Enter included",
       Control::Text6,
       {type(0, "a"), type(1, "\r\n"), type(2, "b")},
       {""}},
      {"typing elsewhere starts a step",
       Control::Text6,
       {type(0, "a"), type(1, "b"), type(0, "c")},
       {"ab", ""}},
      {"caret moves between typing end nothing",
       Control::Text6,
       {type(0, "a"), moveByWord(1, false), moveByWord(0, true), type(1, "b")},
       {""}},
      {"typing over a selection is one step with what follows",
       Control::Text6,
       {type(0, "a"), type(1, "b"), edit(Typed(1, "X", 1)), type(2, "Y")},
       {"ab", ""}},
      {"Backspace in a row",
       Control::Text6,
       {edit({0, 0, "abc"}), edit({2, 1, "", 2}), edit({1, 1, "", 1})},
       {"abc", ""}},
      {"Delete in a row at one place",
       Control::Text6,
       {edit({0, 0, "abc"}), edit({0, 1, "", 0}), edit({0, 1, "", 0})},
       {"abc", ""}},
      {"a deletion elsewhere starts a step",
       Control::Text6,
       {edit({0, 0, "abcd"}), edit({3, 1, "", 3}), edit({0, 1, "", 0})},
       {"abc", "abcd", ""}},
      {"typing after a deletion starts a step",
       Control::Text6,
       {type(0, "a"), type(1, "b"), edit({1, 1, "", 1}), type(1, "c")},
       {"a", "ab", ""}},
      {"a paste, then typing after it",
       Control::Text6,
       {edit({0, 0, "ab", 2, EditSource::kPaste}), type(2, "c")},
       {"ab", ""}},
      {"an add is a step of its own", Control::Text6, {type(0, "a"), add}, {"a", ""}},
      {"a change that leaves the text as it was is no step, and keeps redo",
       Control::Text6,
       {type(0, "a"), type(1, "b"), edit({2, 0, "X"}), undo, edit({0, 2, "ab"}), edit({1, 0, ""})},
       {""},
       true},
      {"typing after an undo starts a step",
       Control::Text6,
       {type(0, "a"), type(1, "b"), edit({0, 0, "X"}), undo, type(2, "c")},
       {"ab", ""}},
      {"typing over a selection right after typing starts a step",
       Control::Text6,
       {edit({0, 0, "c"}), type(0, "a"), type(1, "b"), edit(Typed(2, "X", 1))},
       {"abc", "c", ""}},
      {"a line reported whole with one character more is typing",
       Control::Text6,
       {edit({0, 0, "a\xC3\xA9"}), edit({0, 2, "a\xC3\xA8\xC3\xA9", 2}), type(2, "d")},
       {"a\xC3\xA9", ""}},
      {"a character beyond the BMP reported with its line is typing too",
       Control::Text6,
       {edit({0, 0, "a"}), edit({0, 1, "a\xF0\x9F\x98\x80", 3}), type(3, "d")},
       {"a", ""}},
      {"laps: a character put in away from the caret is a step of its own",
       Control::Text5,
       {edit(Typed(0, "2", 1), Control::Text5), edit({1, 0, "5", 0}, Control::Text5)},
       {"2", "1"}},
      {"laps: typing over the selected start value is one step",
       Control::Text5,
       {edit(Typed(0, "2", 1), Control::Text5), type(1, "5", Control::Text5)},
       {"1"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Editor editor;
    editor->Start();
    for (const Action& action : row.actions) {
      action(*editor);
    }
    EXPECT_EQ(editor->CanRedo(row.box), row.canRedo);
    if (row.box == Control::Text5) {
      // The start value "1" was selected: the first key replaced it.
      ASSERT_EQ(editor->State().Text5.text, "25");
    }
    for (const std::string& expected : row.afterEachUndo) {
      ASSERT_TRUE(editor->CanUndo(row.box));
      editor->Undo(row.box);
      EXPECT_EQ(row.box == Control::Text6 ? editor->State().Text6 : editor->State().Text5.text,
                expected);
    }
    EXPECT_FALSE(editor->CanUndo(row.box));
    // Nothing left to undo: nothing changes.
    const std::string before = editor->State().Text6;
    EXPECT_FALSE(editor->Undo(row.box).boxEdit);
    EXPECT_EQ(editor->State().Text6, before);
  }
}

TEST(EditorController, UndoAndRedoShowEachStepInTheBox) {
  Editor editor;
  editor->Start();
  const auto type = [&](std::string_view keys) {
    for (const char key : keys) {
      editor->EditText(Control::Text6, Typed(editor->State().Text6.size(), std::string(1, key)));
    }
  };
  const auto undo = [&] {
    editor->Undo(Control::Text6);
    return editor->State().Text6;
  };
  const auto redo = [&] {
    editor->Redo(Control::Text6);
    return editor->State().Text6;
  };
  {
    SCOPED_TRACE("undo goes back past typing, a paste and an add; redo brings them back");
    type("ab");
    editor->EditText(Control::Text6, {2, 0, "PASTE", 7, EditSource::kPaste});
    type("cd");
    editor->PressButton(Control::Command1);
    const std::string added = editor->State().Text6;
    EXPECT_EQ(undo(), "abPASTEcd");
    EXPECT_EQ(undo(), "abPASTE");
    EXPECT_EQ(undo(), "ab");
    EXPECT_EQ(undo(), "");
    EXPECT_FALSE(editor->CanUndo(Control::Text6));
    EXPECT_EQ(redo(), "ab");
    EXPECT_EQ(redo(), "abPASTE");
    EXPECT_EQ(redo(), "abPASTEcd");
    // The block comes back as an add shows it: appended, caret and view at the start.
    const FieldChanges again = editor->Redo(Control::Text6);
    EXPECT_EQ(editor->State().Text6, added);
    EXPECT_EQ(again.scriptAppendedAt, 9u);
    EXPECT_FALSE(again.boxEdit);
    EXPECT_FALSE(editor->CanRedo(Control::Text6));
    // A new change clears what could be redone.
    EXPECT_EQ(undo(), "abPASTEcd");
    type("z");
    EXPECT_FALSE(editor->CanRedo(Control::Text6));
  }
  {
    SCOPED_TRACE("an undo shows as one change of the box, with lone breaks kept apart");
    editor->ChangeText(Control::Text6, "a\rX\nb");
    editor->EditText(Control::Text6, {2, 1, ""});
    ASSERT_EQ(editor->State().Text6, "a\r\nb");
    // The widget holds one break where the CR and LF joined: the undo replaces that break.
    const auto edit = editor->Undo(Control::Text6).boxEdit;
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->position, 1u);
    EXPECT_EQ(edit->removed, 1u);
    EXPECT_EQ(edit->inserted, "\rX\n");
    EXPECT_EQ(edit->caret, 3u);
    EXPECT_EQ(editor->State().Text6, "a\rX\nb");
  }
  {
    SCOPED_TRACE("word deletion, before and after the caret, and a selection alone");
    editor->ChangeText(Control::Text6, "abc def.gh\r\nij");
    EXPECT_EQ(editor->DeleteWord(Control::Text6, {7, 7}, false).boxEdit->position, 4u);
    EXPECT_EQ(editor->State().Text6, "abc .gh\r\nij");
    editor->DeleteWord(Control::Text6, {0, 0}, true);
    EXPECT_EQ(editor->State().Text6, ".gh\r\nij");
    editor->DeleteWord(Control::Text6, {4, 4}, false);
    EXPECT_EQ(editor->State().Text6, ".ghij");
    editor->DeleteWord(Control::Text6, {3, 1}, true);
    EXPECT_EQ(editor->State().Text6, ".ij");
    EXPECT_EQ(undo(), ".ghij");
    const TextSelection moved = editor->MoveByWord(Control::Text6, {0, 0}, true, false);
    EXPECT_EQ(moved.anchor, 1u);
    EXPECT_EQ(moved.caret, 1u);
    const TextSelection extended = editor->MoveByWord(Control::Text6, {4, 5}, false, true);
    EXPECT_EQ(extended.anchor, 4u);
    EXPECT_EQ(extended.caret, 1u);
  }
  {
    SCOPED_TRACE("a value box keeps what it is given up to its first line break");
    const FieldChanges pasted =
        editor->EditText(Control::Text5, {1, 0, "2\r\n34", 6, EditSource::kDrop});
    EXPECT_EQ(editor->State().Text5.text, "12");
    ASSERT_TRUE(pasted.boxEdit);
    EXPECT_EQ(pasted.boxEdit->position, 2u);
    EXPECT_EQ(pasted.boxEdit->removed, 4u);
    editor->ChangeText(Control::Text5, "123\n4");
    EXPECT_EQ(editor->State().Text5.text, "123");
    editor->EditText(Control::Text5, Typed(1, "x", 1));
    EXPECT_EQ(editor->State().Text5.text, "1x3");
    editor->Undo(Control::Text5);
    editor->Undo(Control::Text5);
    EXPECT_EQ(editor->State().Text5.text, "12");
    editor->Undo(Control::Text5);
    EXPECT_EQ(editor->State().Text5.text, "1");
    // Pasted before the box's text: what the box held stays.
    editor->ChangeText(Control::Text5, "a\r\nb1");
    EXPECT_EQ(editor->State().Text5.text, "a1");
    // Ticking sets the box's text: nothing before it can be undone there.
    editor->ChangeTick(Control::Check1, true);
    editor->EditText(Control::Text1, Typed(1, "5"));
    editor->ChangeTick(Control::Check1, false);
    editor->ChangeTick(Control::Check1, true);
    EXPECT_FALSE(editor->CanUndo(Control::Text1));
  }
  {
    SCOPED_TRACE("the history keeps its last 1,000 steps");
    editor->ChangeText(Control::Text6, "");
    for (std::size_t step = 0; step < TextHistory::kMaxSteps + 5; ++step) {
      editor->EditText(Control::Text6, {step, 0, "x"});
    }
    std::size_t undone = 0;
    while (editor->CanUndo(Control::Text6)) {
      editor->Undo(Control::Text6);
      ++undone;
    }
    EXPECT_EQ(undone, TextHistory::kMaxSteps);
    EXPECT_EQ(editor->State().Text6, "xxxxx");
  }
}

TEST(TextHistory, KeepsItsBytesInBoundsAndMovesStepsWithoutCopies) {
  const std::size_t half = TextHistory::kMaxBytes / 2;
  {
    SCOPED_TRACE("a step larger than the limit stays, alone");
    TextHistory history;
    history.Record({0, "", "a"}, ChangeKind::kOwnStep);
    history.Record({1, "", std::string(TextHistory::kMaxBytes + 1, 'x')}, ChangeKind::kOwnStep);
    ASSERT_TRUE(history.Undo());
    EXPECT_FALSE(history.CanUndo());
  }
  {
    SCOPED_TRACE("what is redone no longer counts once a change clears it");
    TextHistory history;
    history.Record({0, "", std::string(half, 'x')}, ChangeKind::kOwnStep);
    ASSERT_TRUE(history.Undo());
    history.Record({0, "", "a"}, ChangeKind::kOwnStep);
    history.Record({1, "", std::string(half - 10, 'y')}, ChangeKind::kOwnStep);
    ASSERT_TRUE(history.Undo());
    EXPECT_TRUE(history.CanUndo()) << "the small step was dropped for bytes no longer held";
  }
  {
    SCOPED_TRACE("joined characters count, and past the limit the oldest step goes");
    TextHistory history;
    history.Record({0, "", std::string(half, 'x')}, ChangeKind::kOwnStep);
    history.Record({half, "", "a"}, ChangeKind::kTyping);
    history.Record({half + 1, "", "b"}, ChangeKind::kTyping);
    history.Record({half + 2, "", std::string(half - 1, 'y')}, ChangeKind::kOwnStep);
    ASSERT_TRUE(history.Undo());
    ASSERT_TRUE(history.Undo());
    EXPECT_FALSE(history.CanUndo());
  }
  {
    SCOPED_TRACE("a cleared history holds nothing: the limit counts from zero again");
    TextHistory history;
    history.Record({0, "", "a"}, ChangeKind::kOwnStep);
    history.Clear();
    history.Record({0, "", std::string(half, 'x')}, ChangeKind::kOwnStep);
    history.Record({half, "", std::string(TextHistory::kMaxBytes - half, 'y')},
                   ChangeKind::kOwnStep);
    ASSERT_TRUE(history.Undo());
    EXPECT_TRUE(history.CanUndo()) << "exactly at the limit, both steps stay";
  }
  {
    SCOPED_TRACE("undo and redo hand back the step's own text");
    TextHistory history;
    std::string pasted(1u << 20, 'p');
    const char* const text = pasted.data();
    history.Record({0, "", std::move(pasted)}, ChangeKind::kOwnStep);
    const auto undone = history.Undo();
    ASSERT_TRUE(undone);
    EXPECT_EQ(undone->removed.data(), text);
    const auto redone = history.Redo();
    ASSERT_TRUE(redone);
    EXPECT_EQ(redone->inserted.data(), text);
  }
}

TEST(WordStops, StopAtEachLineBreakAsOneCharacter) {
  const struct {
    std::string_view text;
    std::size_t offset;
    std::size_t before;
    std::size_t after;
  } rows[] = {
      {"ab\r\ncd", 2, 0, 4},  // at the break: forward takes CR LF whole
      {"ab\r\ncd", 4, 2, 6},  // after it: back takes it whole
      {"ab\ncd", 3, 2, 5},    // a lone LF
      {"ab\rcd", 2, 0, 3},    // a lone CR
      {"ab  \r\n", 4, 0, 6},  // blanks before a break are skipped forward
      {"a.b  c", 6, 5, 6},    // signs and letters are runs of their own
      {"a.b  c", 1, 0, 2},   {"a\xC3\xA9z b", 0, 0, 5},  // letters beyond ASCII are word characters
      {"a\tb", 2, 0, 3},                                 // a tab is a blank
      {"x_1 y", 0, 0, 4},  // underscores and digits are word characters
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.text) + " at " + std::to_string(row.offset));
    EXPECT_EQ(WordStopBefore(row.text, row.offset), row.before);
    EXPECT_EQ(WordStopAfter(row.text, row.offset), row.after);
  }
}

TEST(TextPositions, WalkOnFromThePositionAskedLast) {
  // CR LF, "a", CR LF, "é", a stray continuation byte, "𝄞" (two positions), "b".
  const std::string_view text =
      "\r\na\r\n\xC3\xA9\xA9\xF0\x9D\x84\x9E"
      "b";
  const struct {
    std::size_t length;  // of the text as it stands when asked
    std::size_t position;
    std::size_t offset;
    std::size_t reached;
  } asked[] = {
      {13, 1, 2, 1}, {13, 100, 13, 8}, {13, 7, 12, 7}, {13, 6, 8, 5},
      {13, 4, 7, 4}, {13, 3, 5, 3},    {13, 2, 3, 2},  {13, 1, 2, 1},
      {13, 0, 0, 0}, {13, 100, 13, 8}, {3, 5, 3, 2},  // the text got shorter than the offset last
                                                      // reached
  };
  TextPositions positions;
  for (const auto& ask : asked) {
    SCOPED_TRACE("position " + std::to_string(ask.position));
    EXPECT_EQ(positions.ByteOffsetOf(text.substr(0, ask.length), ask.position), ask.offset);
    EXPECT_EQ(positions.ReachedPosition(), ask.reached);
  }
}

}  // namespace
}  // namespace zarvex
