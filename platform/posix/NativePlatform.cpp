#include "platform/NativePlatform.h"

#include <csignal>

#include "platform/Windows1252Encoder.h"
#include "platform/posix/PosixFileReplacer.h"

namespace zarvex {

FileReplacer& NativeFileReplacer() {
  // A save that grows past the process's file-size limit must fail like any other write, not end
  // the editor (and the unsaved script with it) through SIGXFSZ.
  static const bool kIgnoreFileSizeSignal = [] {
    std::signal(SIGXFSZ, SIG_IGN);
    return true;
  }();
  (void)kIgnoreFileSizeSignal;
  static PosixFileReplacer replacer;
  return replacer;
}

const TextEncoder& NativeTextEncoder() {
  static const Windows1252Encoder encoder;
  return encoder;
}

std::error_code CheckFolder(const std::filesystem::path& folder) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(folder, error);
  if (!error && !std::filesystem::is_directory(status)) {
    error = std::make_error_code(std::errc::not_a_directory);
  }
  return error;
}

}  // namespace zarvex
