#include "platform/NativePlatform.h"

#include "platform/win32/Win32AnsiEncoder.h"
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

}  // namespace zarvex
