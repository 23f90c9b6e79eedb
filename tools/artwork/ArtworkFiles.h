// Where the editor's picture files are kept, relative to window/resources. make-artwork writes
// them from the painters; a test decodes the committed ones and compares them with the painters
// pixel by pixel, since another encoder may write the same pictures in other bytes.
#pragma once

#include <string>
#include <string_view>

namespace zarvex {

inline constexpr std::string_view kBackdropFileName = "backdrop.bmp";
inline constexpr std::string_view kWindowsIconFileName = "zarvex-script-editor.ico";

// "icons/zarvex-script-editor-48.png" for 48.
[[nodiscard]] inline std::string DesktopIconPath(int size) {
  return "icons/zarvex-script-editor-" + std::to_string(size) + ".png";
}

}  // namespace zarvex
