// Replaces a file on Windows through a temporary file in the same folder, flushed to disk and
// moved over the target, so a failure at any point leaves the old file untouched. A target the
// user could not overwrite by hand (read-only, denied, not a file) is refused before anything is
// written. Where the folder refuses new files or renames but the file may be written, the file
// is rewritten in place, and its old bytes are put back if that fails.
#pragma once

#include "platform/FileReplacer.h"

namespace zarvex {

class Win32FileReplacer final : public FileReplacer {
 public:
  using FileReplacer::Replace;
  [[nodiscard]] std::error_code Replace(const std::filesystem::path& path,
                                        Pieces contents) override;
};

}  // namespace zarvex
