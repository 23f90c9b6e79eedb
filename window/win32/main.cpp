// The Windows editor: one window, its message loop, and nothing read from the command line.
#include <windows.h>

#include "platform/NativePlatform.h"
#include "window/win32/Form1.h"
#include "window/win32/MessageLoop.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  zarvex::Form1 form(zarvex::NativeFileReplacer(), zarvex::NativeTextEncoder(),
                     zarvex::ScreenScale::OfScreen());
  if (!form.Create(instance)) {
    return 1;
  }
  form.Show(showCommand);
  return zarvex::RunMessageLoop(form.Window());
}
