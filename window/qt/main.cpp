// Starts the editor: one window, closed by the user; closing it ends the program.
#include <QApplication>
#include <QIcon>
#include <system_error>
#include <thread>

#include <fontconfig/fontconfig.h>

#include "platform/NativePlatform.h"
#include "window/qt/Form1.h"

namespace {

// The icon sizes built into the program. They are the title-bar and
// task-switcher sizes: Qt decodes and sends every one to the X server before the window first
// shows, and a 256-pixel one alone slowed that by several milliseconds. Launchers take the larger
// sizes from the installed icon theme files.
QIcon ProgramIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48, 64}) {
    icon.addFile(QStringLiteral(":/window/icons/zarvex-script-editor-%1.png").arg(size));
  }
  return icon;
}

// Reads fontconfig's configuration on a thread of its own. It is the longest step before the
// window's first frame, and nothing needs it until the first control is built, so it runs while Qt
// loads its platform plugin and connects to the display. Qt's own FcInit then finds it done.
class FontConfigurationLoader {
 public:
  FontConfigurationLoader() {
    try {
      thread_ = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
      // No thread to spare: Qt loads the configuration itself when it first needs a font.
    }
  }
  ~FontConfigurationLoader() { Wait(); }
  FontConfigurationLoader(const FontConfigurationLoader&) = delete;
  FontConfigurationLoader& operator=(const FontConfigurationLoader&) = delete;

  void Wait() {
    if (thread_.joinable()) {
      thread_.join();
    }
  }

 private:
  std::thread thread_;
};

}  // namespace

int main(int argc, char* argv[]) {
  FontConfigurationLoader fontConfiguration;
  QApplication application(argc, argv);
  // No application display name is set: Qt would append it to every window title, and the
  // caption and the message box title must read exactly as designed.
  QGuiApplication::setDesktopFileName(QStringLiteral("zarvex-script-editor"));
  QApplication::setWindowIcon(ProgramIcon());
  fontConfiguration.Wait();
  zarvex::Form1 window(zarvex::NativeFileReplacer(), zarvex::NativeTextEncoder());
  window.show();
  return QApplication::exec();
}
