// The one argument both programs take: the game's folder, kept as a whole path that the script is
// saved under. It is never entered, so a folder deeper than the system lets a program enter still
// starts; only what cannot be a folder is refused. Without an argument it is the working directory.
#pragma once

#include <filesystem>
#include <span>
#include <string>

namespace zarvex {

struct GameFolder {
  // Whole, from the root on; empty only when refused, or when the working directory is gone.
  std::filesystem::path path;
  // The message to show the player before ending; empty when the editor may go on.
  std::string refusal;
};

// Takes the arguments after the program's name: none, or one folder. Refuses more than one, an
// empty name, and a name that is missing or not a folder.
[[nodiscard]] GameFolder GameFolderOf(std::span<const std::filesystem::path> arguments);

}  // namespace zarvex
