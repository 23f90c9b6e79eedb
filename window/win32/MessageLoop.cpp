#include "window/win32/MessageLoop.h"

namespace zarvex {

namespace {

void Handle(HWND window, MSG& message) {
  if (window != nullptr && IsDialogMessageW(window, &message)) {
    return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace

int RunMessageLoop(HWND window) {
  MSG message{};
  while (IsWindow(window) && GetMessageW(&message, nullptr, 0, 0) > 0) {
    Handle(window, message);
  }
  return 0;
}

void HandlePendingMessages(HWND window) {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Handle(window, message);
  }
}

}  // namespace zarvex
