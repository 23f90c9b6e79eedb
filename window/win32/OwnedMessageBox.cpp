#include "window/win32/OwnedMessageBox.h"

#include <string>

#include "platform/win32/WideText.h"
#include "window/WindowLayout.h"

namespace zarvex {

void ShowOwnedMessageBox(HWND owner, std::string_view message) {
  // Without a caption the box would be titled "Error".
  static const std::wstring kTitle = ToUtf16(kApplicationTitle);
  MessageBoxW(owner, ToUtf16(message).c_str(), kTitle.c_str(), MB_OK | MB_APPLMODAL);
}

}  // namespace zarvex
