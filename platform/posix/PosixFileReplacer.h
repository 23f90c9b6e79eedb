// Replaces a file on a POSIX system through a temporary file in the same folder, flushed to disk
// and renamed over the target, so a failure at any point leaves the old file untouched.
#pragma once

#include "platform/FileReplacer.h"

namespace zarvex {

class PosixFileReplacer final : public FileReplacer {
 public:
  using FileReplacer::Replace;
  [[nodiscard]] std::error_code Replace(const std::filesystem::path& path,
                                        Pieces contents) override;
};

}  // namespace zarvex
