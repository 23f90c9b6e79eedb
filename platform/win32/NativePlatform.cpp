#include "platform/NativePlatform.h"

#include <windows.h>

#include "platform/win32/WholePath.h"
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

// The folder is never entered: SetCurrentDirectoryW stops at MAX_PATH - 2 characters unless long
// paths are enabled, while the file calls take the extended-length form at any depth.
std::error_code CheckFolder(const std::filesystem::path& folder) {
  const DWORD attributes = GetFileAttributesW(WholePath(folder).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return LastWin32Error();
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return std::make_error_code(std::errc::not_a_directory);
  }
  return {};
}

}  // namespace zarvex
