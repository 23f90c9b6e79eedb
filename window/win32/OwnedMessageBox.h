// The editor's message box on Windows: modal to the editor's window, titled with the application
// title, an OK button only and no icon. Returns once the user has closed it.
#pragma once

#include <windows.h>

#include <string_view>

namespace zarvex {

void ShowOwnedMessageBox(HWND owner, std::string_view message);

}  // namespace zarvex
