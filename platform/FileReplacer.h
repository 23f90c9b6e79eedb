// Replaces the contents of one file on disk as a single step: a reader sees either the old or the
// new contents, and a failure leaves the old file as it was. Creates no folder.
#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

namespace zarvex {

class FileReplacer {
 public:
  virtual ~FileReplacer() = default;

  // Writes bytes as the new contents of path. Returns the system's error on failure, including a
  // target that is read-only or not a regular file; an empty error code on success.
  [[nodiscard]] virtual std::error_code Replace(const std::filesystem::path& path,
                                                std::string_view bytes) = 0;
};

}  // namespace zarvex
