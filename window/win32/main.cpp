// The Windows editor: one window and its message loop. It takes one optional argument, the game's
// folder, and saves under it; dropping the folder on the program gives that argument.
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/NativePlatform.h"
#include "platform/win32/WideText.h"
#include "window/GameFolder.h"
#include "window/WindowLayout.h"
#include "window/win32/Form1.h"
#include "window/win32/MessageLoop.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  // The C runtime has split the command line already; CommandLineToArgvW would load shell32,
  // which costs start-up time.
  const std::vector<std::filesystem::path> arguments(__wargv + 1, __wargv + __argc);
  zarvex::GameFolder folder = zarvex::GameFolderOf(arguments);
  if (!folder.refusal.empty()) {
    MessageBoxW(nullptr, zarvex::ToUtf16(folder.refusal).c_str(),
                zarvex::ToUtf16(zarvex::kWindowCaption).c_str(), MB_OK | MB_ICONERROR);
    return 2;
  }
  zarvex::Form1 form(zarvex::NativeFileReplacer(), zarvex::NativeTextEncoder(),
                     zarvex::ScreenScale::OfScreen(), std::move(folder.path));
  if (!form.Create(instance)) {
    return 1;
  }
  form.Show(showCommand);
  return zarvex::RunMessageLoop(form.Window());
}
