#include "platform/NativePlatform.h"

#include <windows.h>

#include "platform/win32/Win32AnsiEncoder.h"
#include "platform/win32/Win32ErrorCategory.h"
#include "platform/win32/Win32FileReplacer.h"

namespace zarvex {

FileReplacer& NativeFileReplacer() {
  static Win32FileReplacer replacer;
  return replacer;
}

const TextEncoder& NativeTextEncoder() {
  static const Win32AnsiEncoder encoder;
  return encoder;
}

// The system's own call, not the C runtime's _wchdir: the runtime keeps directories in buffers of
// MAX_PATH (under Wine its _wgetcwd and folder listing fail past that), while the system takes
// longer ones where long paths are enabled (Windows 10 and later).
std::error_code EnterFolder(const std::filesystem::path& folder) {
  return SetCurrentDirectoryW(folder.c_str()) ? std::error_code{} : LastWin32Error();
}

}  // namespace zarvex
