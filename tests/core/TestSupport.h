// Small helpers the core tests share: a recorder for messages, a fresh working folder per
// scenario, and whole-file reading.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileReplacer.h"
#include "platform/ShowMessage.h"

namespace zarvex::testing {

class MessageLog {
 public:
  [[nodiscard]] ShowMessage Recorder() {
    return [this](std::string_view message) { messages_.emplace_back(message); };
  }
  [[nodiscard]] const std::vector<std::string>& Messages() const { return messages_; }

 private:
  std::vector<std::string> messages_;
};

// Makes a new empty folder and makes it the working directory until destroyed.
class ScratchWorkingDirectory {
 public:
  ScratchWorkingDirectory();
  ScratchWorkingDirectory(const ScratchWorkingDirectory&) = delete;
  ScratchWorkingDirectory& operator=(const ScratchWorkingDirectory&) = delete;
  ~ScratchWorkingDirectory();

  [[nodiscard]] const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

// The whole contents a replacer was handed in pieces.
[[nodiscard]] inline std::string Joined(FileReplacer::Pieces contents) {
  std::string joined;
  for (const std::string_view piece : contents) {
    joined += piece;
  }
  return joined;
}

[[nodiscard]] std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, std::string_view bytes);

// The names in a folder, for checking that no temporary file was left behind.
[[nodiscard]] std::vector<std::string> NamesIn(const std::filesystem::path& folder);

}  // namespace zarvex::testing
