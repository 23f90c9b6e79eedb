// The file writer and text encoder of the system the editor was built for, both living for the
// whole run, and its way of entering the game's folder.
#pragma once

#include <filesystem>
#include <system_error>

#include "platform/FileReplacer.h"
#include "platform/TextEncoder.h"

namespace zarvex {

[[nodiscard]] FileReplacer& NativeFileReplacer();
[[nodiscard]] const TextEncoder& NativeTextEncoder();

// Makes the folder the working directory, as far as the system allows one that deep.
[[nodiscard]] std::error_code EnterFolder(const std::filesystem::path& folder);

}  // namespace zarvex
