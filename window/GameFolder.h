// The one argument both programs take: the game's folder, entered before any window opens, so that
// the script is saved under it. Without an argument the editor stays where it was started.
#pragma once

#include <filesystem>
#include <span>
#include <string>

namespace zarvex {

// Takes the arguments after the program's name: none, or one folder. Returns an empty text when
// the editor may go on (in that folder), else the message to show the player before ending.
[[nodiscard]] std::string EnterGameFolder(std::span<const std::filesystem::path> arguments);

}  // namespace zarvex
