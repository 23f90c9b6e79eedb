#include "window/GameFolder.h"

#include <system_error>

#include "platform/NativePlatform.h"
#include "platform/Utf8.h"

namespace zarvex {

namespace fs = std::filesystem;

GameFolder GameFolderOf(std::span<const fs::path> arguments) {
  if (arguments.empty()) {
    // A working directory that is gone leaves the script's path relative: the save then fails
    // with the system's reason, as it would have before.
    std::error_code ignored;
    return {fs::current_path(ignored), {}};
  }
  if (arguments.size() > 1) {
    return {{}, "Give at most one argument: the game's folder, the one that holds ASSETS."};
  }
  if (arguments.front().empty()) {
    return {{}, "The game folder's name is empty: give the folder that holds ASSETS."};
  }
  std::error_code error;
  fs::path folder = fs::absolute(arguments.front(), error);
  if (error) {
    folder = arguments.front();
  } else {
    error = CheckFolder(folder);
  }
  if (error) {
    return {{}, "Cannot start in the game folder " + Utf8PathText(folder) + "\n" + error.message()};
  }
  return {folder, {}};
}

}  // namespace zarvex
