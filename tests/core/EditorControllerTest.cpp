#include "window/EditorController.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "TestSupport.h"
#include "platform/NativePlatform.h"
#include "script/ServerCarList.h"
#include "script/TrackList.h"
#include "scriptfile/SaveScript.h"
#include "window/ScriptPositions.h"

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
    editor->EditScript({position, removed, std::move(inserted)});
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
    EXPECT_EQ(editor->EditScript({join.position, join.removed, join.inserted}).joinedBreaksAt,
              join.joinedAt);
  }
}

TEST(EditorController, UndoAndRedoTakeWholeStepsOfEachTextBox) {
  Editor editor;
  editor->Start();
  const auto type = [&](std::string_view keys) {
    for (const char key : keys) {
      const std::size_t end = editor->State().Text6.size();
      editor->EditScript({end, 0, std::string(1, key), ChangeKind::kTyped});
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
    SCOPED_TRACE("typing in a row is one step, an add another, and undo goes back past both");
    type("ab");
    editor->EditScript({2, 0, "PASTE"});
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
  }
  {
    SCOPED_TRACE("a new change clears what could be redone; a moved caret starts a new step");
    editor->ChangeText(Control::Text6, "");
    type("xy");
    EXPECT_EQ(undo(), "");
    type("z");
    EXPECT_FALSE(editor->CanRedo(Control::Text6));
    editor->EditScript({0, 0, "a", ChangeKind::kTyped});
    EXPECT_EQ(undo(), "z");
    // Backspaces in a row are one step, and a typed key ends it.
    type("123");
    editor->EditScript({3, 1, "", ChangeKind::kDeletedKey});
    editor->EditScript({2, 1, "", ChangeKind::kDeletedKey});
    EXPECT_EQ(undo(), "z123");
  }
  {
    SCOPED_TRACE("an undo shows as one change of the box, with lone breaks kept apart");
    editor->ChangeText(Control::Text6, "a\rX\nb");
    editor->EditScript({2, 1, ""});
    ASSERT_EQ(editor->State().Text6, "a\r\nb");
    // The widget holds one break where the CR and LF joined: the undo replaces that break.
    const auto edit = editor->Undo(Control::Text6).boxEdit;
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->change.position, 1u);
    EXPECT_EQ(edit->change.removed, 1u);
    EXPECT_EQ(edit->change.inserted, "\rX\n");
    EXPECT_EQ(edit->caret, 3u);
    EXPECT_EQ(editor->State().Text6, "a\rX\nb");
  }
  {
    SCOPED_TRACE("word deletion, before and after the caret, and a selection alone");
    editor->ChangeText(Control::Text6, "abc def.gh\r\nij");
    EXPECT_EQ(editor->DeleteWord(Control::Text6, 7, 7, false).boxEdit->change.position, 4u);
    EXPECT_EQ(editor->State().Text6, "abc .gh\r\nij");
    editor->DeleteWord(Control::Text6, 0, 0, true);
    EXPECT_EQ(editor->State().Text6, ".gh\r\nij");
    editor->DeleteWord(Control::Text6, 4, 4, false);
    EXPECT_EQ(editor->State().Text6, ".ghij");
    editor->DeleteWord(Control::Text6, 3, 1, true);
    EXPECT_EQ(editor->State().Text6, ".ij");
    EXPECT_EQ(undo(), ".ghij");
    EXPECT_EQ(editor->WordStop(Control::Text6, 0, true), 1u);
    EXPECT_EQ(editor->WordStop(Control::Text6, 5, false), 1u);
  }
  {
    SCOPED_TRACE("a value box keeps a paste up to its first line break, and has its own steps");
    const FieldChanges pasted = editor->ChangeText(Control::Text5, "12\r\n34");
    EXPECT_EQ(editor->State().Text5.text, "12");
    ASSERT_TRUE(pasted.boxEdit);
    EXPECT_EQ(pasted.boxEdit->change.position, 2u);
    EXPECT_EQ(pasted.boxEdit->change.removed, 4u);
    editor->ChangeText(Control::Text5, "123");
    editor->ChangeText(Control::Text5, "1234");
    editor->Undo(Control::Text5);
    EXPECT_EQ(editor->State().Text5.text, "12");
    editor->Undo(Control::Text5);
    EXPECT_EQ(editor->State().Text5.text, "1");
    // Pasted before the box's text: what the box held stays.
    editor->ChangeText(Control::Text5, "a\r\nb1");
    EXPECT_EQ(editor->State().Text5.text, "a1");
    // Ticking sets the box's text: nothing before it can be undone there.
    editor->ChangeTick(Control::Check1, true);
    editor->ChangeText(Control::Text1, "15");
    editor->ChangeTick(Control::Check1, false);
    editor->ChangeTick(Control::Check1, true);
    EXPECT_FALSE(editor->CanUndo(Control::Text1));
  }
  {
    SCOPED_TRACE("the history keeps its last steps only");
    editor->ChangeText(Control::Text6, "");
    for (std::size_t step = 0; step < TextHistory::kMaxSteps + 5; ++step) {
      editor->EditScript({step, 0, "x"});
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

TEST(ScriptPositions, WalkOnFromThePositionAskedLast) {
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
  ScriptPositions positions;
  for (const auto& ask : asked) {
    SCOPED_TRACE("position " + std::to_string(ask.position));
    EXPECT_EQ(positions.ByteOffsetOf(text.substr(0, ask.length), ask.position), ask.offset);
    EXPECT_EQ(positions.ReachedPosition(), ask.reached);
  }
}

}  // namespace
}  // namespace zarvex
