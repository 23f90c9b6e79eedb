// An edit of the script area must land where the widget's positions put it in the current text,
// whatever edits came before: the place the controller remembers between edits is a shortcut and
// must never change a result.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "TestSupport.h"
#include "platform/NativePlatform.h"
#include "window/EditorController.h"

namespace zarvex {
namespace {

using testing::MessageLog;

std::string AfterEdits(const std::string& text, std::initializer_list<TextEdit> edits) {
  MessageLog log;
  EditorController editor({log.Recorder(), NativeFileReplacer(), NativeTextEncoder()});
  editor.ChangeText(Control::Text6, text);
  for (const TextEdit& edit : edits) {
    editor.EditText(Control::Text6, edit);
  }
  return editor.State().Text6;
}

// The second edit must give on a long-lived editor what it gives on a fresh one.
void ExpectSecondEditAsOnAFreshEditor(const std::string& text, const TextEdit& first,
                                      const TextEdit& second, const std::string& expected) {
  const std::string afterFirst = AfterEdits(text, {first});
  EXPECT_EQ(AfterEdits(afterFirst, {second}), expected) << "on a fresh editor";
  EXPECT_EQ(AfterEdits(text, {first, second}), expected) << "after the first edit";
}

TEST(EditScript, AnEditLandsWhereItWouldOnAFreshEditor) {
  {
    SCOPED_TRACE("typing at the end, across a line break");
    ExpectSecondEditAsOnAFreshEditor("ab", {2, 0, "\r\n"}, {3, 0, "c"}, "ab\r\nc");
  }
  {
    SCOPED_TRACE("an LF typed right after a lone CR joins them into one line break");
    ExpectSecondEditAsOnAFreshEditor("a\r", {2, 0, "\n"}, {2, 0, "Z"}, "a\r\nZ");
  }
  {
    SCOPED_TRACE("removing what stood between a CR and an LF joins them");
    ExpectSecondEditAsOnAFreshEditor("a\rX\nb", {2, 1, ""}, {2, 0, "Z"}, "a\r\nZb");
  }
  {
    SCOPED_TRACE("an insertion ending in CR before an LF joins them");
    ExpectSecondEditAsOnAFreshEditor("a\nb", {1, 0, "x\r"}, {3, 0, "Z"}, "ax\r\nZb");
  }
  {
    SCOPED_TRACE("a position past the end counts as the end");
    ExpectSecondEditAsOnAFreshEditor("ab", {5, 0, "x"}, {3, 0, "y"}, "abxy");
  }
  {
    SCOPED_TRACE("a position between the halves of a surrogate pair counts as its start");
    ExpectSecondEditAsOnAFreshEditor("\xF0\x9F\x98\x80", {1, 0, "x"}, {3, 0, "y"},
                                     "x\xF0\x9F\x98\x80y");
  }
}

}  // namespace
}  // namespace zarvex
