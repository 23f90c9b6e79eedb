// Small helpers the tests share: a recorder for messages, a fresh working folder per scenario,
// whole-file reading, and the block an untouched editor adds.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileReplacer.h"
#include "platform/ShowMessage.h"

namespace zarvex::testing {

// The block an untouched editor adds: nothing chosen, no option ticked, one lap.
inline constexpr std::string_view kUntouchedEditorBlock =
    "FREE_FOR_ALL\r\n"
    "  TRACK \"\"\r\n"
    "  USE_TIME_LIMIT 0\r\n"
    "  TIME_LIMIT 0\r\n"
    "  USE_WASTED_LIMIT 0\r\n"
    "  WASTED_LIMIT 0\r\n"
    "  USE_RECOVER_DELAY 0\r\n"
    "  RECOVER_DELAY 0\r\n"
    "  REPAIR 0\r\n"
    "  SERVER_SET_CAR 0\r\n"
    "  SERVER_CAR \"\"\r\n"
    "  CARS_ON_MAP 0\r\n"
    "  LAPS 1\r\n"
    "END\r\n"
    "\r\n";

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
