// Starts the editor: one window, closed by the user; closing it ends the program.
#include <QApplication>
#include <QIcon>

#include "platform/NativePlatform.h"
#include "window/qt/Form1.h"

namespace {

// The icon sizes built into the program. They are the title-bar and task-switcher sizes: Qt
// decodes and sends every one to the X server before the window first shows, and a 256-pixel one
// alone slowed that by several milliseconds. Launchers take the larger sizes from the installed
// icon theme files.
QIcon ProgramIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48, 64}) {
    icon.addFile(QStringLiteral(":/window/icons/zarvex-script-editor-%1.png").arg(size));
  }
  return icon;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // No application display name is set: Qt would append it to every window title, and the
  // caption and the message box title must read exactly as designed.
  QGuiApplication::setDesktopFileName(QStringLiteral("zarvex-script-editor"));
  QApplication::setWindowIcon(ProgramIcon());
  zarvex::Form1 window(zarvex::NativeFileReplacer(), zarvex::NativeTextEncoder());
  window.show();
  return QApplication::exec();
}
