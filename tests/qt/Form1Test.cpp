// The window as the user meets it: where each control sits, where the focus goes, what a tick, a
// list choice, a key or a click does, and the message box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <functional>
#include <vector>

#include "TestSupport.h"
#include "tests/qt/WindowUnderTest.h"
#include "window/WindowLayout.h"
#include "window/qt/ScriptArea.h"

namespace zarvex::testing {
namespace {

std::string Repeated(std::string_view text, int times) {
  std::string result;
  for (int i = 0; i < times; ++i) {
    result += text;
  }
  return result;
}

// Runs the check once the application's modal box is up, then closes it with its OK button.
// Returns how many boxes were seen.
int WithModalBox(const std::function<void()>& openBox,
                 const std::function<void(QMessageBox&)>& whileOpen) {
  int boxesSeen = 0;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) {
      return;
    }
    ++boxesSeen;
    whileOpen(*box);
    box->button(QMessageBox::Ok)->click();
  });
  poll.start();
  openBox();
  return boxesSeen;
}

TEST(Form1, LaysOutEveryControlAsTheTableSays) {
  WindowUnderTest test;
  Form1& window = test.Window();
  ASSERT_EQ(window.logicalDpiX(), 96);
  ASSERT_EQ(window.logicalDpiY(), 96);
  {
    EXPECT_EQ(window.size(), QSize(392, 505));
    EXPECT_EQ(window.windowTitle().toStdString(), "Zarvex Script Editor");
  }
  {
    // Left, top, width and height in pixels at 96 dots per inch.
    const std::vector<std::pair<Control, QRect>> places = {
        {Control::Image1, {0, 0, 392, 311}},     {Control::Label9, {88, 24, 129, 17}},
        {Control::Command2, {256, 40, 89, 17}},  {Control::Combo1, {56, 64, 169, 21}},
        {Control::Label10, {240, 67, 89, 17}},   {Control::Check1, {56, 96, 13, 13}},
        {Control::Label1, {80, 96, 89, 17}},     {Control::Text1, {168, 93, 57, 19}},
        {Control::Check4, {240, 96, 13, 13}},    {Control::Label6, {264, 96, 89, 17}},
        {Control::Check2, {56, 120, 13, 13}},    {Control::Label2, {80, 120, 89, 17}},
        {Control::Text2, {168, 116, 57, 19}},    {Control::Check5, {240, 120, 13, 13}},
        {Control::Label7, {264, 120, 89, 17}},   {Control::Check3, {56, 144, 13, 13}},
        {Control::Label3, {80, 144, 89, 17}},    {Control::Text3, {168, 139, 57, 19}},
        {Control::Check6, {240, 144, 13, 13}},   {Control::Label8, {264, 144, 89, 17}},
        {Control::Label5, {80, 180, 89, 17}},    {Control::Text5, {168, 176, 57, 19}},
        {Control::Command1, {248, 176, 89, 17}}, {Control::Label11, {112, 212, 57, 17}},
        {Control::Combo2, {168, 208, 169, 21}},  {Control::Label12, {85, 237, 89, 17}},
        {Control::Combo3, {168, 232, 169, 21}},  {Control::Label13, {176, 256, 161, 17}},
        {Control::Label4, {344, 288, 57, 17}},   {Control::Text6, {0, 312, 393, 193}},
    };
    ASSERT_EQ(places.size(), kWindowLayout.size());
    for (const auto& [control, place] : places) {
      EXPECT_EQ(test.Find<QWidget>(control).geometry(), place) << NameOf(control);
    }
  }
  {
    // Later siblings draw on top: the picture, then the labels, then everything else.
    const QObjectList stack = window.children();
    auto layerAt = [&](qsizetype index) {
      const std::string name = stack[index]->objectName().toStdString();
      for (const ControlLayout& row : kWindowLayout) {
        if (NameOf(row.name) == name) {
          return StackLayer(row.kind);
        }
      }
      return -1;
    };
    int previousLayer = 0;
    for (qsizetype index = 0; index < stack.size(); ++index) {
      const int layer = layerAt(index);
      if (layer < 0) {
        continue;
      }
      EXPECT_GE(layer, previousLayer) << stack[index]->objectName().toStdString();
      previousLayer = layer;
    }
  }
  {
    for (const ControlLayout& row : kWindowLayout) {
      if (row.kind != ControlKind::Label) {
        continue;
      }
      SCOPED_TRACE(std::string(NameOf(row.name)));
      const QLabel& label = test.Find<QLabel>(row.name);
      EXPECT_EQ(label.text().toStdString(), row.text);
      EXPECT_FALSE(label.autoFillBackground());
      EXPECT_EQ(label.font().family().toStdString(), "Arial");
      EXPECT_TRUE(label.font().bold());
      EXPECT_DOUBLE_EQ(label.font().pointSizeF(), 8.25);
      const QColor colour = label.palette().color(QPalette::WindowText);
      EXPECT_EQ(colour, QColor(row.textColour->red, row.textColour->green, row.textColour->blue));
    }
    const QFont scriptFont = test.Find<QPlainTextEdit>(Control::Text6).font();
    EXPECT_EQ(scriptFont.family().toStdString(), "Verdana");
    EXPECT_DOUBLE_EQ(scriptFont.pointSizeF(), 8.25);
    EXPECT_FALSE(scriptFont.bold());
  }
  {
    const QCheckBox& box = test.Find<QCheckBox>(Control::Check1);
    EXPECT_TRUE(box.text().isEmpty());
    EXPECT_TRUE(box.autoFillBackground());
    EXPECT_EQ(box.palette().color(QPalette::Window), QColor(64, 0, 0));
  }
}

TEST(Form1, FocusFollowsTheTabOrderAndSkipsDisabledBoxes) {
  WindowUnderTest test;
  {
    EXPECT_EQ(WindowUnderTest::FocusName(), "Text5");
    WindowUnderTest::PressKey(Qt::Key_Tab);
    EXPECT_EQ(WindowUnderTest::FocusName(), "Check1");
  }
  {
    // Once round the window: Text1 to Text3 are disabled at start.
    const std::vector<std::string> chain = {"Check2",   "Check3",   "Check4", "Check5",
                                            "Check6",   "Combo1",   "Combo2", "Combo3",
                                            "Command1", "Command2", "Text6",  "Text5"};
    for (const std::string& expected : chain) {
      WindowUnderTest::PressKey(Qt::Key_Tab);
      EXPECT_EQ(WindowUnderTest::FocusName(), expected);
    }
    WindowUnderTest::PressKey(Qt::Key_Backtab);
    EXPECT_EQ(WindowUnderTest::FocusName(), "Text6");
    EXPECT_TRUE(test.State().Text6.empty()) << "Tab in the script area moves on, types nothing";
  }
  {
    // A mouse tick enables Text1, which becomes first in the chain.
    QTest::mouseClick(&test.Find<QCheckBox>(Control::Check1), Qt::LeftButton);
    const QLineEdit& text1 = test.Find<QLineEdit>(Control::Text1);
    EXPECT_TRUE(text1.isEnabled());
    EXPECT_EQ(text1.text().toStdString(), "1");
    EXPECT_TRUE(test.State().Check1);
    EXPECT_EQ(test.Settings().useWastedLimitLine, "  USE_WASTED_LIMIT 1");
    test.Find<QWidget>(Control::Text6).setFocus();
    WindowUnderTest::PressKey(Qt::Key_Tab);
    EXPECT_EQ(WindowUnderTest::FocusName(), "Text1");
    WindowUnderTest::PressKey(Qt::Key_Tab);
    EXPECT_EQ(WindowUnderTest::FocusName(), "Text5");
  }
  {
    // The space bar ticks as the mouse does.
    test.Find<QWidget>(Control::Check2).setFocus();
    WindowUnderTest::PressKey(Qt::Key_Space);
    EXPECT_TRUE(test.Find<QCheckBox>(Control::Check2).isChecked());
    EXPECT_TRUE(test.State().Check2);
    EXPECT_EQ(test.Settings().useTimeLimitLine, "  USE_TIME_LIMIT 1");
    EXPECT_TRUE(test.Find<QLineEdit>(Control::Text2).isEnabled());
    EXPECT_EQ(test.Find<QLineEdit>(Control::Text2).text().toStdString(), "1");
    EXPECT_EQ(WindowUnderTest::FocusName(), "Check2") << "a tick does not move the focus";
  }
  {
    // Clearing Check1 by space disables Text1 again and resets it; the chain skips it.
    test.Find<QWidget>(Control::Check1).setFocus();
    WindowUnderTest::PressKey(Qt::Key_Space);
    const QLineEdit& text1 = test.Find<QLineEdit>(Control::Text1);
    EXPECT_FALSE(text1.isEnabled());
    EXPECT_EQ(text1.text().toStdString(), "0");
    test.Find<QWidget>(Control::Text6).setFocus();
    WindowUnderTest::PressKey(Qt::Key_Tab);
    EXPECT_EQ(WindowUnderTest::FocusName(), "Text2");
  }
  {
    // The editor's own change to a box is no user action.
    test.Find<QCheckBox>(Control::Check4).setChecked(true);
    EXPECT_FALSE(test.State().Check4);
    EXPECT_EQ(test.Settings().repairLine, "  REPAIR 0");
  }
}

TEST(Form1, ValueBoxesPassOnWhatIsTypedAndEnterAddsNothing) {
  WindowUnderTest test;
  QLineEdit& laps = test.Find<QLineEdit>(Control::Text5);
  {
    laps.setFocus();
    WindowUnderTest::PressKey(Qt::Key_End);
    WindowUnderTest::PressKey(Qt::Key_Backspace);
    QTest::keyClicks(&laps, "12");
    EXPECT_EQ(test.State().Text5.text, "12");
  }
  {
    WindowUnderTest::PressKey(Qt::Key_Return);
    WindowUnderTest::PressKey(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(test.State().Text6, "");
    EXPECT_TRUE(DocumentText(test.Find<QPlainTextEdit>(Control::Text6)).empty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }
  {
    // Only typing counts; the editor's own change to the box is not recorded as the user's.
    laps.setText("99");
    EXPECT_EQ(test.State().Text5.text, "12");
    laps.setText("12");
  }
  {
    // Typing over the selected text is one step with the characters after it.
    laps.selectAll();
    QTest::keyClicks(&laps, "25");
    EXPECT_EQ(test.State().Text5.text, "25");
    WindowUnderTest::PressKey(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(test.State().Text5.text, "12");
    EXPECT_EQ(laps.text(), QStringLiteral("12"));
  }
  {
    // A two-line drop, dragged from the script area as Qt would move it: the box copies its
    // first line, so the drag's source keeps its text.
    QMimeData dragged;
    dragged.setText(QStringLiteral("3\r\nnext line"));
    QDropEvent drop(QPointF(laps.width() - 2, laps.height() / 2.0), Qt::CopyAction | Qt::MoveAction,
                    &dragged, Qt::LeftButton, Qt::ShiftModifier);
    ASSERT_EQ(drop.dropAction(), Qt::MoveAction);
    // Straight to the box: outside a real drag the application passes no drop on.
    static_cast<QObject&>(laps).event(&drop);
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    EXPECT_EQ(test.State().Text5.text, "123");
    EXPECT_EQ(laps.text(), QStringLiteral("123"));
  }
  {
    // Far past QLineEdit's usual 32767 characters, pasted as a user would.
    const QString longText(40000, QLatin1Char('7'));
    QApplication::clipboard()->setText(longText);
    laps.selectAll();
    WindowUnderTest::PressKey(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(laps.text().size(), 40000);
    EXPECT_EQ(test.State().Text5.text, longText.toStdString());
  }
}

TEST(Form1, ListsStartUnchosenAndTakeOnlyTheUsersChoice) {
  WindowUnderTest test;
  QComboBox& modes = test.Find<QComboBox>(Control::Combo1);
  QComboBox& tracks = test.Find<QComboBox>(Control::Combo2);
  QComboBox& cars = test.Find<QComboBox>(Control::Combo3);
  {
    EXPECT_EQ(modes.count(), 6);
    EXPECT_EQ(tracks.count(), 36);
    EXPECT_EQ(cars.count(), 55);
    for (const QComboBox* list : {&modes, &tracks, &cars}) {
      EXPECT_EQ(list->currentIndex(), -1) << list->objectName().toStdString();
      EXPECT_FALSE(list->isEditable());
    }
    EXPECT_FALSE(test.State().Combo1.chosen.has_value());
    EXPECT_EQ(test.Settings().modeKeyword, "FREE_FOR_ALL");
  }
  {
    // A choice the editor makes itself runs nothing.
    modes.setCurrentIndex(1);
    EXPECT_FALSE(test.State().Combo1.chosen.has_value());
    EXPECT_EQ(test.Settings().modeKeyword, "FREE_FOR_ALL");
    modes.setCurrentIndex(-1);
  }
  {
    modes.setFocus();
    WindowUnderTest::PressKey(Qt::Key_Down);
    EXPECT_EQ(test.State().Combo1.chosen, 0u);
    WindowUnderTest::PressKey(Qt::Key_Down);
    EXPECT_EQ(modes.currentText().toStdString(), "Death Race");
    EXPECT_EQ(test.State().Combo1.chosen, 1u);
    EXPECT_EQ(test.Settings().modeKeyword, "DEATH_RACE");
    WindowUnderTest::PressKey(Qt::Key_Up);
    EXPECT_EQ(test.Settings().modeKeyword, "FREE_FOR_ALL");
  }
  {
    tracks.setFocus();
    for (int i = 0; i < 3; ++i) {
      WindowUnderTest::PressKey(Qt::Key_Down);
    }
    EXPECT_EQ(test.State().Combo2.Text(), "Bulldogs");
    EXPECT_EQ(test.Settings().modeKeyword, "FREE_FOR_ALL");
    EXPECT_TRUE(test.State().Text6.empty()) << "a choice alone adds nothing";
  }
}

TEST(Form1, ABadNumberShowsTheMessageBoxAndBlocksTheWindow) {
  WindowUnderTest test;
  QLineEdit& laps = test.Find<QLineEdit>(Control::Text5);
  laps.setFocus();
  WindowUnderTest::PressKey(Qt::Key_Backspace);
  ASSERT_EQ(test.State().Text5.text, "");

  std::string title;
  std::string text;
  qsizetype buttonCount = 0;
  QMessageBox::StandardButtons standardButtons;
  QMessageBox::Icon icon = QMessageBox::Information;
  bool iconShown = true;
  Qt::WindowModality modality = Qt::NonModal;
  bool tickedWhileOpen = true;
  const int boxes = WithModalBox(
      [&] { QTest::mouseClick(&test.Find<QPushButton>(Control::Command1), Qt::LeftButton); },
      [&](QMessageBox& box) {
        title = box.windowTitle().toStdString();
        text = box.text().toStdString();
        buttonCount = box.buttons().size();
        standardButtons = box.standardButtons();
        icon = box.icon();
        iconShown = !box.iconPixmap().isNull();
        modality = box.windowModality();
        test.ClickThroughWindow(Control::Check1);
        tickedWhileOpen = test.State().Check1 || test.Find<QCheckBox>(Control::Check1).isChecked();
      });
  ASSERT_EQ(boxes, 1);
  EXPECT_EQ(title, "Project1");
  EXPECT_EQ(text, "Must be a number!");
  EXPECT_EQ(buttonCount, 1);
  EXPECT_EQ(standardButtons, QMessageBox::Ok);
  EXPECT_EQ(icon, QMessageBox::NoIcon);
  EXPECT_FALSE(iconShown);
  EXPECT_EQ(modality, Qt::ApplicationModal);
  EXPECT_FALSE(tickedWhileOpen) << "the window took a click while the message was open";
  EXPECT_EQ(test.State().Text6, "");
  EXPECT_TRUE(DocumentText(test.Find<QPlainTextEdit>(Control::Text6)).empty());

  // The same click, with the box closed, does tick: the check above was not blind.
  test.ClickThroughWindow(Control::Check1);
  EXPECT_TRUE(test.State().Check1);
}

TEST(Form1, AClickOnALabelChangesNothing) {
  WindowUnderTest test;
  const EditorState before = test.State();
  const ScriptSettings settingsBefore = test.Settings();
  for (const ControlLayout& row : kWindowLayout) {
    if (row.kind != ControlKind::Label) {
      continue;
    }
    SCOPED_TRACE(std::string(NameOf(row.name)));
    EXPECT_EQ(test.Find<QWidget>(row.name).focusPolicy(), Qt::NoFocus);
    test.ClickThroughWindow(row.name);
    EXPECT_EQ(WindowUnderTest::FocusName(), "Text5");
  }
  for (const Control box : {Control::Check1, Control::Check2, Control::Check3, Control::Check4,
                            Control::Check5, Control::Check6}) {
    EXPECT_FALSE(test.Find<QCheckBox>(box).isChecked()) << NameOf(box);
    EXPECT_EQ(test.State().Tick(box), before.Tick(box));
  }
  EXPECT_EQ(test.Settings(), settingsBefore);
  EXPECT_EQ(test.State().Text5.text, before.Text5.text);
  EXPECT_FALSE(test.State().Text1.enabled);
}

TEST(Form1, AddToScriptShowsTheBlockFromTheStartAndKeepsTheFocus) {
  WindowUnderTest test;
  auto& area = test.Find<QPlainTextEdit>(Control::Text6);
  QPushButton& add = test.Find<QPushButton>(Control::Command1);
  {
    add.setFocus();
    QTest::mouseClick(&add, Qt::LeftButton);
    EXPECT_EQ(test.State().Text6, kUntouchedEditorBlock)
        << "the shown block must not come back as typing";
    EXPECT_EQ(DocumentText(area), kUntouchedEditorBlock);
    EXPECT_EQ(area.textCursor().position(), 0);
    EXPECT_EQ(WindowUnderTest::FocusName(), "Command1");
  }
  {
    // Enough blocks to scroll; the view returns to the top after the next add.
    for (int i = 0; i < 30; ++i) {
      QTest::mouseClick(&add, Qt::LeftButton);
    }
    area.verticalScrollBar()->setValue(area.verticalScrollBar()->maximum());
    ASSERT_GT(area.verticalScrollBar()->value(), 0);
    area.moveCursor(QTextCursor::End);
    QTest::mouseClick(&add, Qt::LeftButton);
    EXPECT_EQ(area.verticalScrollBar()->value(), 0);
    EXPECT_EQ(area.textCursor().position(), 0);
    EXPECT_EQ(test.State().Text6, Repeated(kUntouchedEditorBlock, 32));
    EXPECT_EQ(DocumentText(area), test.State().Text6);
  }
  {
    // Text typed before an add stays, and the keyword continues its last line.
    area.setFocus();
    area.moveCursor(QTextCursor::End);
    QTest::keyClicks(&area, "abc");
    // Pressed without taking the focus, as an accessibility tool would press it.
    add.click();
    const std::string expected =
        Repeated(kUntouchedEditorBlock, 32) + "abc" + std::string(kUntouchedEditorBlock);
    EXPECT_EQ(test.State().Text6, expected);
    EXPECT_EQ(DocumentText(area), expected);
    EXPECT_EQ(WindowUnderTest::FocusName(), "Text6") << "the focus stays where it was";
  }
  {
    QTest::mouseClick(&test.Find<QPushButton>(Control::Command2), Qt::LeftButton);
    EXPECT_EQ(test.Files().saves, 1);
    EXPECT_EQ(test.Files().lastPath, std::filesystem::path("ASSETS") / "gamescript.txt");
    EXPECT_EQ(test.Files().lastBytes, test.State().Text6 + "\r\n");
  }
}

TEST(Form1, ControlsCarryTheirLabelsAsAccessibleNames) {
  WindowUnderTest test;
  const std::vector<std::pair<Control, std::string>> names = {
      {Control::Check1, "Wasted Limit"},  {Control::Text1, "Wasted Limit"},
      {Control::Check2, "Time Limit"},    {Control::Text2, "Time Limit"},
      {Control::Check3, "Recover Delay"}, {Control::Text3, "Recover Delay"},
      {Control::Text5, "Laps"},           {Control::Check4, "Repair"},
      {Control::Check5, "Cars on map"},   {Control::Check6, "Server set car"},
      {Control::Combo1, "Race type"},     {Control::Combo2, "Track"},
      {Control::Combo3, "Server Car"},    {Control::Text6, "Script"},
  };
  for (const auto& [control, name] : names) {
    EXPECT_EQ(test.Find<QWidget>(control).accessibleName().toStdString(), name) << NameOf(control);
  }
}

TEST(Form1, ClosingEndsTheEditorWithoutSaving) {
  WindowUnderTest test;
  QTest::mouseClick(&test.Find<QPushButton>(Control::Command1), Qt::LeftButton);
  ASSERT_FALSE(test.State().Text6.empty());
  EXPECT_TRUE(test.Window().close());
  EXPECT_TRUE(test.Window().Controller().HasEnded());
  EXPECT_EQ(test.Files().saves, 0);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "closing asks nothing";
}

}  // namespace
}  // namespace zarvex::testing
