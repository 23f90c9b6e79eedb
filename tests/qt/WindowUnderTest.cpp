#include "tests/qt/WindowUnderTest.h"

#include <QApplication>
#include <QTest>
#include <QTextDocument>

#include "platform/NativePlatform.h"

namespace zarvex::testing {

WindowUnderTest::WindowUnderTest() : window_(files_, NativeTextEncoder(), {}) {
  window_.show();
  if (!QTest::qWaitForWindowActive(&window_)) {
    throw std::runtime_error("the window did not become active");
  }
}

std::string WindowUnderTest::FocusName() {
  const QWidget* focus = QApplication::focusWidget();
  return focus == nullptr ? std::string() : focus->objectName().toStdString();
}

void WindowUnderTest::PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

void WindowUnderTest::ClickThroughWindow(Control control) {
  const QWidget& widget = Find<QWidget>(control);
  QTest::mouseClick(window_.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                    widget.geometry().center());
}

std::string DocumentText(const QPlainTextEdit& area) {
  QString text = area.document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  return text.toStdString();
}

}  // namespace zarvex::testing
