// Every picture file the editor ships, made from the painters, with the path it is kept at
// beside this header. The files in the repository are this function's output; a test holds the
// two in step, and the make-artwork tool writes them again after a painter changes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/artwork/ByteWriter.h"

namespace zarvex {

inline constexpr std::string_view kBackdropFileName = "backdrop.bmp";
inline constexpr std::string_view kWindowsIconFileName = "zarvex-script-editor.ico";

struct ArtworkFile {
  std::string path;  // relative, with forward slashes
  Bytes bytes;
};

// The backdrop bitmap, the Windows icon file, and one PNG icon per desktop icon size under
// "icons/", always in that order.
[[nodiscard]] std::vector<ArtworkFile> ArtworkFiles();

// "icons/zarvex-script-editor-48.png" for 48.
[[nodiscard]] std::string DesktopIconPath(int size);

}  // namespace zarvex
