// Starts the editor: one window, closed by the user; closing it ends the program. Takes Qt's own
// options and one optional argument, the game's folder, which it starts in.
#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QIcon>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "platform/NativePlatform.h"
#include "window/GameFolder.h"
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

// Enters the game folder named on the command line, if any. Returns false when the editor must end.
bool EnterGameFolderFromArguments(const QApplication& application) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Composes ASSETS/gamescript.txt under the game's folder."));
  parser.addHelpOption();
  parser.addPositionalArgument(QStringLiteral("folder"),
                               QStringLiteral("The game's folder, the one that holds ASSETS."),
                               QStringLiteral("[folder]"));
  parser.process(application);
  std::vector<std::filesystem::path> folders;
  for (const QString& folder : parser.positionalArguments()) {
    folders.emplace_back(QFile::encodeName(folder).toStdString());
  }
  const std::string refused = zarvex::EnterGameFolder(folders);
  if (!refused.empty()) {
    std::fprintf(stderr, "zarvex-script-editor: %s\n", refused.c_str());
  }
  return refused.empty();
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (!EnterGameFolderFromArguments(application)) {
    return 2;
  }
  // No application display name is set: Qt would append it to every window title, and the
  // caption and the message box title must read exactly as designed.
  QGuiApplication::setDesktopFileName(QStringLiteral("zarvex-script-editor"));
  QApplication::setWindowIcon(ProgramIcon());
  zarvex::Form1 window(zarvex::NativeFileReplacer(), zarvex::NativeTextEncoder());
  window.show();
  return QApplication::exec();
}
