#include "tools/artwork/ArtworkFiles.h"

#include "tools/artwork/EncodeBmp.h"
#include "tools/artwork/EncodeIco.h"
#include "tools/artwork/EncodePng.h"
#include "tools/artwork/PaintBackdrop.h"
#include "tools/artwork/PaintIcon.h"

namespace zarvex {

std::string DesktopIconPath(int size) {
  return "icons/zarvex-script-editor-" + std::to_string(size) + ".png";
}

std::vector<ArtworkFile> ArtworkFiles() {
  std::vector<ArtworkFile> files;
  files.push_back({std::string(kBackdropFileName), EncodeBmp24(PaintBackdrop())});

  std::vector<RgbaImage> windowsIcons;
  for (const int size : kWindowsIconSizes) {
    windowsIcons.push_back(PaintIcon(size));
  }
  files.push_back({std::string(kWindowsIconFileName), EncodeIco(windowsIcons)});

  for (const int size : kDesktopIconSizes) {
    files.push_back({DesktopIconPath(size), EncodePng(PaintIcon(size))});
  }
  return files;
}

}  // namespace zarvex
