// What the user types into the script area reaches the editor character for character, with
// CR LF for every new line, and the editor's own appends never come back as typing.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QTimer>
#include <functional>
#include <utility>
#include <vector>

#include "tests/qt/WindowUnderTest.h"
#include "window/qt/ScriptArea.h"

namespace zarvex::testing {
namespace {

// A key whose text an input method delivers whole, such as a character outside the BMP.
void TypeText(QWidget& widget, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
  QApplication::sendEvent(&widget, &press);
}

TEST(ScriptArea, TypingReachesTheEditorExactly) {
  WindowUnderTest test;
  auto& area = test.Find<QPlainTextEdit>(Control::Text6);
  area.setFocus();
  std::string expected;
  auto expectInStep = [&](const char* step) {
    SCOPED_TRACE(step);
    EXPECT_EQ(test.State().Text6, expected);
    EXPECT_EQ(DocumentText(area), expected);
  };
  {
    QTest::keyClicks(&area, "ab");
    expected = "ab";
    expectInStep("plain letters");
  }
  {
    WindowUnderTest::PressKey(Qt::Key_Return);
    WindowUnderTest::PressKey(Qt::Key_Return, Qt::ShiftModifier);
    WindowUnderTest::PressKey(Qt::Key_Enter, Qt::KeypadModifier);
    expected += "\r\n\r\n\r\n";
    expectInStep("every Enter is a new line, Shift+Enter too");
  }
  {
    // A no-break space stays one; toPlainText would have made it a plain space.
    TypeText(area, QString(QChar(0x00A0)));
    TypeText(area, QStringLiteral("é€"));
    TypeText(area, QString::fromUtf8("\xF0\x9F\x98\x80"));
    expected += "\xC2\xA0\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
    expectInStep("non-ASCII");
  }
  {
    // One Backspace takes the whole emoji, two UTF-16 units.
    WindowUnderTest::PressKey(Qt::Key_Backspace);
    expected.erase(expected.size() - 4);
    expectInStep("backspace over a surrogate pair");
  }
  {
    // Replace "b\r\n" (three bytes, two positions) in the middle of the text.
    QTextCursor cursor = area.textCursor();
    cursor.setPosition(1);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    area.setTextCursor(cursor);
    QTest::keyClicks(&area, "X");
    expected.replace(1, 3, "X");
    expectInStep("typing over a selection across a line break");
  }
  {
    QApplication::clipboard()->setText(QStringLiteral("l1\nl2\r\nl3\u00A0"));
    area.moveCursor(QTextCursor::End);
    WindowUnderTest::PressKey(Qt::Key_V, Qt::ControlModifier);
    // Pasted breaks stay as pasted; the document shows each as a new line.
    EXPECT_EQ(test.State().Text6, expected + "l1\nl2\r\nl3\xC2\xA0");
    EXPECT_EQ(DocumentText(area), expected + "l1\r\nl2\r\nl3\xC2\xA0");
    WindowUnderTest::PressKey(Qt::Key_Z, Qt::ControlModifier);
    expectInStep("undo");
  }
  {
    area.selectAll();
    WindowUnderTest::PressKey(Qt::Key_Delete);
    expected.clear();
    expectInStep("delete everything");
    QTest::keyClicks(&area, "z");
    expected = "z";
    expectInStep("type into the emptied area");
  }
  {
    // A drag within the text removes at one place and inserts at another in a single step.
    QTest::keyClicks(&area, "hello world");
    QTextCursor cursor(area.document());
    cursor.beginEditBlock();
    cursor.setPosition(1);
    cursor.setPosition(6, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("\nhello"));
    cursor.endEditBlock();
    expected = "z world\r\nhello";
    expectInStep("move by drag");
  }
  {
    // Screen readers and automation tools set the text through the accessibility interface.
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(&area);
    ASSERT_NE(reader, nullptr);
    reader->editableTextInterface()->replaceText(0, reader->textInterface()->characterCount(),
                                                 QStringLiteral("set"));
    expected = "set";
    expectInStep("text set from outside");
  }
}

TEST(ScriptArea, TheFileHoldsTheBreaksTheScreenShows) {
  WindowUnderTest test;
  auto& area = test.Find<QPlainTextEdit>(Control::Text6);
  area.setFocus();
  const auto paste = [](const QString& text) {
    QApplication::clipboard()->setText(text);
    WindowUnderTest::PressKey(Qt::Key_V, Qt::ControlModifier);
  };
  const auto clear = [&] {
    area.selectAll();
    WindowUnderTest::PressKey(Qt::Key_Delete);
  };
  const auto undo = [] { WindowUnderTest::PressKey(Qt::Key_Z, Qt::ControlModifier); };
  const auto redo = [] { WindowUnderTest::PressKey(Qt::Key_Y, Qt::ControlModifier); };
  struct Step {
    const char* what;
    std::function<void()> act;
    std::string file;    // the controller's text, as Save writes it
    std::string screen;  // the area's lines, each break shown as CR LF
  };
  // clang-format off
  const std::vector<Step> steps = {
      {"a lone CR pasted",                 [&] { paste("a\r"); },                "a\r",       "a\r\n"},
      {"a lone LF pasted after it joins",  [&] { paste("\nb"); },                "a\r\nb",    "a\r\nb"},
      {"typing after the joined break",    [&] { WindowUnderTest::PressKey(Qt::Key_Left);
                                                 QTest::keyClicks(&area, "X"); }, "a\r\nXb",   "a\r\nXb"},
      {"undo of the typing",               [&] { undo(); },                  "a\r\nb",    "a\r\nb"},
      {"undo of the joining paste",        [&] { undo(); },                  "a\r",       "a\r\n"},
      {"redo of the joining paste",        [&] { redo(); },                  "a\r\nb",    "a\r\nb"},
      {"a lone LF pasted alone",           [&] { clear(); paste("\nb"); },        "\nb",       "\r\nb"},
      {"a lone CR pasted before it joins", [&] { area.moveCursor(QTextCursor::Start);
                                                 paste("a\r"); },                "a\r\nb",    "a\r\nb"},
      {"typing where the paste ended",     [&] { QTest::keyClicks(&area, "X"); }, "a\r\nXb",   "a\r\nXb"},
      {"deleting what parted a CR and LF", [&] { clear(); paste("a\rX\nb");
                                                 WindowUnderTest::PressKey(Qt::Key_Left);
                                                 WindowUnderTest::PressKey(Qt::Key_Left);
                                                 WindowUnderTest::PressKey(Qt::Key_Backspace); },
                                                                                "a\r\nb",    "a\r\nb"},
      {"undo of that deletion",            [&] { undo(); },                  "a\rX\nb",   "a\r\nX\r\nb"},
      {"redo of that deletion",            [&] { redo(); },                  "a\r\nb",    "a\r\nb"},
      {"Delete between them, then undo",   [&] { clear(); paste("a\rX\nb");
                                                 area.moveCursor(QTextCursor::PreviousBlock);
                                                 WindowUnderTest::PressKey(Qt::Key_Delete);
                                                 undo(); },                "a\rX\nb",   "a\r\nX\r\nb"},
      {"lone breaks pasted",               [&] { clear(); paste("l1\nl2\rl3"); }, "l1\nl2\rl3", "l1\r\nl2\r\nl3"},
      {"undo of that paste",               [&] { undo(); },                  "",          ""},
      {"redo of that paste",               [&] { redo(); },                  "l1\nl2\rl3", "l1\r\nl2\r\nl3"},
      {"Enter after a lone break",         [&] { area.moveCursor(QTextCursor::StartOfBlock);
                                                 WindowUnderTest::PressKey(Qt::Key_Return); },
                                                                                "l1\nl2\r\r\nl3", "l1\r\nl2\r\n\r\nl3"},
      {"undo of deleting the lone breaks", [&] { undo(); clear(); undo(); },
                                                                                "l1\nl2\rl3", "l1\r\nl2\r\nl3"},
      {"cut and paste back",               [&] { area.selectAll(); area.cut(); area.paste(); },
                                                                                "l1\nl2\rl3", "l1\r\nl2\r\nl3"},
  };
  // clang-format on
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.act();
    EXPECT_EQ(test.State().Text6, step.file);
    EXPECT_EQ(DocumentText(area), step.screen);
  }
}

TEST(ScriptArea, TypingAfterAnAddGoesOnFromTheBlock) {
  WindowUnderTest test;
  auto& area = test.Find<QPlainTextEdit>(Control::Text6);
  QTest::mouseClick(&test.Find<QPushButton>(Control::Command1), Qt::LeftButton);
  const std::string block = test.State().Text6;
  ASSERT_FALSE(block.empty());
  {
    // The caret sits before the first character: typing goes in front of the block.
    area.setFocus();
    QTest::keyClicks(&area, "// ");
    EXPECT_EQ(test.State().Text6, "// " + block);
  }
  {
    area.moveCursor(QTextCursor::End);
    QTest::keyClicks(&area, "tail");
    QTest::mouseClick(&test.Find<QPushButton>(Control::Command1), Qt::LeftButton);
    EXPECT_EQ(test.State().Text6, "// " + block + "tail" + block);
    EXPECT_EQ(DocumentText(area), test.State().Text6);
  }
  const std::string beforeAdd = "// " + block + "tail";
  {
    // Undo takes the add back out; redo brings it back as an add does, caret at the start.
    area.setFocus();
    WindowUnderTest::PressKey(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(test.State().Text6, beforeAdd);
    EXPECT_EQ(DocumentText(area), beforeAdd);
    WindowUnderTest::PressKey(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(DocumentText(area), beforeAdd + block);
    EXPECT_EQ(area.textCursor().position(), 0);
  }
  {
    // The context menu's Undo takes the same step.
    QTimer::singleShot(0, [] {
      if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        menu->actions().first()->trigger();
        menu->close();
      }
    });
    QContextMenuEvent open(QContextMenuEvent::Keyboard, {5, 5}, area.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(area.viewport(), &open);
    EXPECT_EQ(test.State().Text6, beforeAdd);
    EXPECT_EQ(DocumentText(area), beforeAdd);
  }
}

TEST(ScriptArea, KeysKeepToTheTableAndTypedCharactersMakeOneStep) {
  WindowUnderTest test;
  auto& area = test.Find<QPlainTextEdit>(Control::Text6);
  area.setFocus();
  const auto commit = [&](const QString& text) {
    QInputMethodEvent composed;
    composed.setCommitString(text);
    QApplication::sendEvent(&area, &composed);
  };
  {
    SCOPED_TRACE("AltGr and a dead key type as any key does: one step");
    QTest::keyClicks(&area, "a");
    QKeyEvent altGr(QEvent::KeyPress, Qt::Key_At, Qt::GroupSwitchModifier, QStringLiteral("@"));
    QApplication::sendEvent(&area, &altGr);
    QTest::keyClicks(&area, "b");
    commit(QStringLiteral("é"));
    QTest::keyClicks(&area, "s");
    ASSERT_EQ(test.State().Text6, "a@b\xC3\xA9s");
    WindowUnderTest::PressKey(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(test.State().Text6, "");
    EXPECT_TRUE(test.Window().Controller().CanRedo(Control::Text6));
  }
  {
    SCOPED_TRACE("a composition started and cancelled changes nothing and keeps redo");
    WindowUnderTest::PressKey(Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClicks(&area, "!");
    WindowUnderTest::PressKey(Qt::Key_Z, Qt::ControlModifier);
    QInputMethodEvent preedit(QStringLiteral("e"), {});
    QApplication::sendEvent(&area, &preedit);
    commit(QString());
    EXPECT_EQ(test.State().Text6, "a@b\xC3\xA9s");
    EXPECT_TRUE(test.Window().Controller().CanRedo(Control::Text6));
    WindowUnderTest::PressKey(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(test.State().Text6, "");
    EXPECT_FALSE(test.Window().Controller().CanUndo(Control::Text6));
    WindowUnderTest::PressKey(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(test.State().Text6, "a@b\xC3\xA9s");
  }
  {
    SCOPED_TRACE("keys the table does not list change nothing");
    area.moveCursor(QTextCursor::Start);
    for (const auto& [key, modifiers] :
         std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>>{{Qt::Key_K, Qt::ControlModifier},
                                                                {Qt::Key_U, Qt::ControlModifier},
                                                                {Qt::Key_H, Qt::ControlModifier},
                                                                {Qt::Key_D, Qt::ControlModifier},
                                                                {Qt::Key_Q, Qt::AltModifier},
                                                                {Qt::Key_F18, Qt::NoModifier},
                                                                {Qt::Key_F20, Qt::NoModifier}}) {
      WindowUnderTest::PressKey(key, modifiers);
    }
    EXPECT_EQ(test.State().Text6, "a@b\xC3\xA9s");
    EXPECT_EQ(DocumentText(area), "a@b\xC3\xA9s");
  }
  {
    SCOPED_TRACE("Ctrl+Tab moves the focus on as Tab does, Ctrl+Shift+Tab back");
    area.moveCursor(QTextCursor::End);
    WindowUnderTest::PressKey(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_NE(WindowUnderTest::FocusName(), "Text6");
    QTest::keyClicks(QApplication::focusWidget(), "b");
    EXPECT_EQ(test.State().Text6, "a@b\xC3\xA9s");
    WindowUnderTest::PressKey(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(WindowUnderTest::FocusName(), "Text6");
  }
}

TEST(ScriptArea, LongLinesWrapInsteadOfScrollingSideways) {
  WindowUnderTest test;
  auto& area = test.Find<QPlainTextEdit>(Control::Text6);
  area.setFocus();
  QTest::keyClicks(&area, QString(300, QLatin1Char('W')));
  EXPECT_FALSE(area.horizontalScrollBar()->isVisible());
  EXPECT_TRUE(area.verticalScrollBar()->isVisible());
  EXPECT_GT(area.document()->firstBlock().layout()->lineCount(), 1);
  EXPECT_EQ(test.State().Text6, std::string(300, 'W'));
}

}  // namespace
}  // namespace zarvex::testing
