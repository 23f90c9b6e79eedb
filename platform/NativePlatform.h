// The file writer and text encoder of the system the editor was built for, both living for the
// whole run, and its way of telling whether a path names a folder.
#pragma once

#include <filesystem>
#include <system_error>

#include "platform/FileReplacer.h"
#include "platform/TextEncoder.h"

namespace zarvex {

[[nodiscard]] FileReplacer& NativeFileReplacer();
[[nodiscard]] const TextEncoder& NativeTextEncoder();

// Empty when the whole path names a folder, at any depth the system's file calls can address;
// else the system's reason (missing, unreachable), or std::errc::not_a_directory for a file.
[[nodiscard]] std::error_code CheckFolder(const std::filesystem::path& folder);

}  // namespace zarvex
