// Starts the editor: one window, closed by the user; closing it ends the program. Takes Qt's own
// options and one optional argument, the game's folder, which it saves under.
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QIcon>
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>
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

// The command line: help, and one optional argument, the game's folder.
void Describe(QCommandLineParser& parser) {
  parser.setApplicationDescription(
      QStringLiteral("Composes ASSETS/gamescript.txt under the game's folder."));
  parser.addHelpOption();
  parser.addPositionalArgument(QStringLiteral("folder"),
                               QStringLiteral("The game's folder, the one that holds ASSETS."),
                               QStringLiteral("[folder]"));
}

// The game folder the command line names, or the working directory; says why when refused.
zarvex::GameFolder ReadGameFolder(const QCommandLineParser& parser) {
  std::vector<std::filesystem::path> folders;
  for (const QString& folder : parser.positionalArguments()) {
    folders.emplace_back(QFile::encodeName(folder).toStdString());
  }
  zarvex::GameFolder folder = zarvex::GameFolderOf(folders);
  if (!folder.refusal.empty()) {
    std::fprintf(stderr, "zarvex-script-editor: %s\n", folder.refusal.c_str());
  }
  return folder;
}

enum class CommandLine { Read, Refused, LeftToTheWindowSystem };

// Reads the command line before the window system is needed, so that help and a refused folder
// need no display. Qt's own options (-platform and the like), and --help-all that lists them, are
// known only to the window system's application object: a command line with one of them, or with
// an option nobody knows, is left to be read once that object exists.
CommandLine ReadBeforeTheWindowSystem(int& argc, char* argv[], zarvex::GameFolder& folder) {
  if (argc < 2) {
    folder = zarvex::GameFolderOf({});
    return CommandLine::Read;
  }
  const QCoreApplication core(argc, argv);
  QCommandLineParser parser;
  Describe(parser);
  if (!parser.parse(QCoreApplication::arguments()) || parser.isSet(QStringLiteral("help-all"))) {
    return CommandLine::LeftToTheWindowSystem;
  }
  parser.process(core);  // prints the help and ends, when asked for it
  folder = ReadGameFolder(parser);
  return folder.refusal.empty() ? CommandLine::Read : CommandLine::Refused;
}

// Qt's window system aborts the program when it finds no display: first see whether there is one
// to find, on X, on Wayland, or on a platform named by -platform or QT_QPA_PLATFORM.
bool WindowSystemReachable(int argc, char* argv[]) {
  if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
      !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    return true;
  }
  // Qt reads the platform wherever it stands on the command line, "--" or not.
  for (int i = 1; i + 1 < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "-platform" || argument == "--platform") {
      return true;
    }
  }
  return false;
}

// An option nobody knows that reads as a name (one dash and a word, as "-zarvex") or names a
// folder was likely meant as the game's folder.
bool OptionLooksLikeAFolder(int argc, char* argv[]) {
  for (int i = 1; i < argc && std::string_view(argv[i]) != "--"; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "-platform" || argument == "--platform") {
      ++i;  // Qt's own, with its value
      continue;
    }
    std::error_code error;
    const bool word = argument.size() > 2 && argument[0] == '-' && argument[1] != '-';
    if (argument.size() > 1 && argument[0] == '-' &&
        (word || std::filesystem::is_directory(argv[i], error))) {
      return true;
    }
  }
  return false;
}

void SuggestTheEndOfOptions(int argc, char* argv[]) {
  if (OptionLooksLikeAFolder(argc, argv)) {
    std::fputs("zarvex-script-editor: put -- before a folder whose name starts with -\n", stderr);
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  zarvex::GameFolder folder;
  const CommandLine early = ReadBeforeTheWindowSystem(argc, argv, folder);
  if (early == CommandLine::Refused) {
    return 2;
  }
  if (!WindowSystemReachable(argc, argv)) {
    std::fputs(
        "zarvex-script-editor: needs a desktop session, and neither DISPLAY nor "
        "WAYLAND_DISPLAY is set\n",
        stderr);
    if (early == CommandLine::LeftToTheWindowSystem) {
      SuggestTheEndOfOptions(argc, argv);
    }
    return 1;
  }
  QApplication application(argc, argv);
  if (early == CommandLine::LeftToTheWindowSystem) {
    QCommandLineParser parser;
    Describe(parser);
    // Qt has taken its own options out of the command line by now: an option left is nobody's.
    if (!parser.parse(QCoreApplication::arguments())) {
      std::fprintf(stderr, "zarvex-script-editor: %s\n", qPrintable(parser.errorText()));
      SuggestTheEndOfOptions(argc, argv);
      return 1;
    }
    parser.process(application);  // prints the help and ends, when asked for it
    folder = ReadGameFolder(parser);
    if (!folder.refusal.empty()) {
      return 2;
    }
  }
  // No application display name is set: Qt would append it to every window title, and the
  // caption and the message box title must read exactly as designed.
  QGuiApplication::setDesktopFileName(QStringLiteral("zarvex-script-editor"));
  QApplication::setWindowIcon(ProgramIcon());
  zarvex::Form1 window(zarvex::NativeFileReplacer(), zarvex::NativeTextEncoder(),
                       std::move(folder.path));
  window.show();
  return QApplication::exec();
}
