#include "window/GameFolder.h"

#include <system_error>

#include "platform/NativePlatform.h"
#include "platform/Utf8.h"

namespace zarvex {

namespace fs = std::filesystem;

std::string EnterGameFolder(std::span<const fs::path> arguments) {
  if (arguments.empty()) {
    return {};
  }
  if (arguments.size() > 1) {
    return "Give at most one argument: the game's folder, the one that holds ASSETS.";
  }
  std::error_code error;
  fs::path folder = fs::absolute(arguments.front(), error);
  if (error) {
    folder = arguments.front();
  } else {
    error = EnterFolder(folder);
  }
  if (error) {
    return "Cannot start in the game folder " + Utf8PathText(folder) + "\n" + error.message();
  }
  return {};
}

}  // namespace zarvex
