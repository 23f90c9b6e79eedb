// Writes the backdrop and the desktop icons into a folder through Qt's image writers: run after
// changing a painter, with window/resources as the target. The regenerate-artwork target then
// packs the Windows icon file from the PNGs, since Qt writes one picture per icon file.
//
//   make-artwork window/resources   (from the top folder)
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QString>

#include <iostream>
#include <string>

#include "tools/artwork/ArtworkFiles.h"
#include "tools/artwork/PaintBackdrop.h"
#include "tools/artwork/PaintIcon.h"

namespace {

// Straight alpha, as the painters draw it, so the PNG keeps every pixel exactly.
QImage ToQImage(const zarvex::RgbaImage& picture) {
  QImage image(picture.Width(), picture.Height(), QImage::Format_ARGB32);
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const zarvex::Rgba pixel = picture.At(x, y);
      image.setPixel(x, y, qRgba(pixel.red, pixel.green, pixel.blue, pixel.alpha));
    }
  }
  return image;
}

bool Save(const QImage& image, const QDir& folder, const std::string& path, const char* format) {
  const QString target = folder.filePath(QString::fromStdString(path));
  if (!folder.mkpath(QFileInfo(target).path()) || !image.save(target, format)) {
    std::cerr << "make-artwork: cannot write " << target.toStdString() << '\n';
    return false;
  }
  std::cout << target.toStdString() << '\n';
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make-artwork FOLDER\n";
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  // The window expects a 24-bit bitmap; RGB888 is what Qt saves as one.
  bool saved = Save(ToQImage(zarvex::PaintBackdrop()).convertToFormat(QImage::Format_RGB888),
                    folder, std::string(zarvex::kBackdropFileName), "BMP");
  for (const int size : zarvex::kDesktopIconSizes) {
    saved = Save(ToQImage(zarvex::PaintIcon(size)), folder, zarvex::DesktopIconPath(size), "PNG") &&
            saved;
  }
  return saved ? 0 : 1;
}
