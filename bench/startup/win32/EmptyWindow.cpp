// The yardstick for the Windows editor's start-up: an empty window of the editor's client size,
// caption and frame style, and nothing else. It loads no bitmap, makes no font or control and
// fills no list, so the gap between the two is what the editor itself adds.
#include <windows.h>

#include "YardstickWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  const zarvex::YardstickWindow empty =
      zarvex::CreateYardstickWindow(instance, L"ZarvexStartupEmptyWindow", 0);
  return empty.window == nullptr ? 1 : zarvex::RunYardstickWindow(empty.window, showCommand);
}
