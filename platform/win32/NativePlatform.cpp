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

// The system's own call: the C runtime's reads the new directory back into a buffer of MAX_PATH,
// too short where the system allows a longer one (Windows 10 and later, with long paths enabled).
std::error_code EnterFolder(const std::filesystem::path& folder) {
  return SetCurrentDirectoryW(folder.c_str()) ? std::error_code{} : LastWin32Error();
}

}  // namespace zarvex
