// Replaces the contents of one file on disk as a single step: a reader sees either the old or the
// new contents, and a failure leaves the old file as it was. Creates no folder.
#pragma once

#include <filesystem>
#include <span>
#include <string_view>
#include <system_error>

namespace zarvex {

class FileReplacer {
 public:
  // The new contents as pieces written one after another, so that a large text and its closing
  // line break need not first be joined into one more copy.
  using Pieces = std::span<const std::string_view>;

  virtual ~FileReplacer() = default;

  // Writes the pieces as the new contents of path. Returns the system's error on failure,
  // including a target that is read-only or not a regular file; an empty error code on success.
  [[nodiscard]] virtual std::error_code Replace(const std::filesystem::path& path,
                                                Pieces contents) = 0;

  [[nodiscard]] std::error_code Replace(const std::filesystem::path& path, std::string_view bytes) {
    return Replace(path, Pieces(&bytes, 1));
  }
};

}  // namespace zarvex
