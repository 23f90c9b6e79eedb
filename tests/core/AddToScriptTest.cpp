#include "script/AddToScript.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "script/ScriptBlock.h"

namespace zarvex {
namespace {

using testing::kUntouchedEditorBlock;
using testing::MessageLog;

TEST(AddToScript, AppendsToWhateverTheScriptHolds) {
  {
    SCOPED_TRACE("fresh state, nothing chosen: empty quotes");
    EditorState state;
    MessageLog log;
    EXPECT_TRUE(AddToScript(state, ScriptSettings{}, log.Recorder()));
    EXPECT_EQ(state.Text6, kUntouchedEditorBlock);
    EXPECT_TRUE(log.Messages().empty());
  }
  {
    SCOPED_TRACE("two adds without changes: two identical blocks back to back");
    EditorState state;
    MessageLog log;
    EXPECT_TRUE(AddToScript(state, ScriptSettings{}, log.Recorder()));
    EXPECT_TRUE(AddToScript(state, ScriptSettings{}, log.Recorder()));
    EXPECT_EQ(state.Text6, std::string(kUntouchedEditorBlock) + std::string(kUntouchedEditorBlock));
  }
  {
    SCOPED_TRACE("text without a final line break: the keyword continues its line");
    EditorState state;
    state.Text6 = "abc";
    MessageLog log;
    EXPECT_TRUE(AddToScript(state, ScriptSettings{}, log.Recorder()));
    EXPECT_EQ(state.Text6, "abc" + std::string(kUntouchedEditorBlock));
  }
}

TEST(AddToScript, ConvertsTheBoxesNotTheTypedText) {
  EditorState state;
  state.Text1 = {" -5 ", true};
  state.Text2 = {"300", true};
  state.Text3 = {"2.5", false};  // disabled boxes are converted too
  state.Text5 = {"007", true};
  MessageLog log;
  ASSERT_TRUE(AddToScript(state, ScriptSettings{}, log.Recorder()));
  EXPECT_NE(state.Text6.find("  TIME_LIMIT 300\r\n  USE_WASTED_LIMIT 0\r\n  WASTED_LIMIT -5\r\n"),
            std::string::npos);
  EXPECT_NE(state.Text6.find("  RECOVER_DELAY 2\r\n"), std::string::npos);
  EXPECT_NE(state.Text6.find("  LAPS 7\r\n"), std::string::npos);
  EXPECT_EQ(state.Text1.text, " -5 ");
  EXPECT_EQ(state.Text5.text, "007");
}

TEST(AddToScript, ABadNumberShowsTheMessageAndChangesNothing) {
  for (auto [box, text] : {std::pair{Control::Text1, "40000"}, std::pair{Control::Text2, "abc"},
                           std::pair{Control::Text3, "1e2"}, std::pair{Control::Text5, ""}}) {
    SCOPED_TRACE(std::string(NameOf(box)) + " = \"" + text + "\"");
    EditorState state;
    state.Text6 = "KEEP\r\n";
    state.Box(box).text = text;
    const EditorState before = state;
    MessageLog log;
    EXPECT_FALSE(AddToScript(state, ScriptSettings{}, log.Recorder()));
    EXPECT_EQ(log.Messages(), std::vector<std::string>{"Must be a number!"});
    EXPECT_EQ(state.Text6, before.Text6);
    EXPECT_EQ(state.Box(box).text, text);
  }
}

TEST(AddToScript, UsesTheChosenEntriesAndTheirFallbacks) {
  EditorState state;
  state.Combo2.entries = {"Super Speedway", "Track"};
  state.Combo3.entries = {"Space Host", "Server Car"};
  MessageLog log;
  {
    SCOPED_TRACE("chosen entries are copied unchanged, blank included");
    state.Combo2.chosen = 0;
    state.Combo3.chosen = 0;
    ASSERT_TRUE(AddToScript(state, ScriptSettings{}, log.Recorder()));
    EXPECT_NE(state.Text6.find("  TRACK \"Super Speedway\"\r\n"), std::string::npos);
    EXPECT_NE(state.Text6.find("  SERVER_CAR \"Space Host\"\r\n"), std::string::npos);
  }
  {
    SCOPED_TRACE("a list reading its own caption gives the fallback");
    state.Text6.clear();
    state.Combo2.chosen = 1;
    state.Combo3.chosen = 1;
    ASSERT_TRUE(AddToScript(state, ScriptSettings{}, log.Recorder()));
    EXPECT_NE(state.Text6.find("  TRACK \"Warehouse\"\r\n"), std::string::npos);
    EXPECT_NE(state.Text6.find("  SERVER_CAR \"Corvette\"\r\n"), std::string::npos);
  }
  {
    SCOPED_TRACE("a position one past the last entry is none chosen: empty quotes");
    state.Text6.clear();
    state.Combo2.chosen = 2;
    state.Combo3.chosen = 2;
    ASSERT_TRUE(AddToScript(state, ScriptSettings{}, log.Recorder()));
    EXPECT_NE(state.Text6.find("  TRACK \"\"\r\n"), std::string::npos);
    EXPECT_NE(state.Text6.find("  SERVER_CAR \"\"\r\n"), std::string::npos);
  }
}

}  // namespace
}  // namespace zarvex
