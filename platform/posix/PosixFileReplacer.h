// Replaces a file on a POSIX system through a temporary file in the same folder, flushed to disk
// and renamed over the target, so a failure at any point leaves the old file untouched.
#pragma once

#include "platform/FileReplacer.h"

namespace zarvex {

class PosixFileReplacer final : public FileReplacer {
 public:
  [[nodiscard]] std::error_code Replace(const std::filesystem::path& path,
                                        std::string_view bytes) override;
};

}  // namespace zarvex
