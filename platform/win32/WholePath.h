// The path each file operation of a save is given: whole, from the drive or the server on, so that
// a relative script path is not cut short by the limit on relative paths, and in the
// extended-length form ("\\?\") once it is longer than plain paths may be (MAX_PATH), so that a
// deep game folder is no limit either. Windows resolves the relative path against the working
// directory; nothing here checks that the file or its folder exists.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zarvex {

// "C:\game\..." becomes "\\?\C:\game\..." and "\\server\share\..." becomes
// "\\?\UNC\server\share\..." when too long; a shorter path, or one in that form already, stays.
[[nodiscard]] std::wstring ExtendedLengthPath(std::wstring_view wholePath);

// GetFullPathNameW, then the form above. A path the system cannot resolve is returned as given,
// for the file operation to fail on with the system's reason.
[[nodiscard]] std::filesystem::path WholePath(const std::filesystem::path& path);

}  // namespace zarvex
