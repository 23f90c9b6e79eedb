// Loads the committed picture files with Qt's own readers, the ones the Linux window uses, and
// checks they show exactly what the painters drew: stale files fail here after a painter changes.
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tools/artwork/ArtworkFiles.h"
#include "tools/artwork/PaintBackdrop.h"
#include "tools/artwork/PaintIcon.h"

namespace zarvex {
namespace {

QString ArtworkPath(const std::string& relative) {
  const std::filesystem::path path = std::filesystem::path(ZARVEX_ARTWORK_SOURCE_DIR) / relative;
  return QString::fromStdString(path.string());
}

// Qt's icon reader passes colours through premultiplied alpha, which rounds a faint pixel's
// colour to a coarser step; the reader is exact for opaque pixels.
enum class Precision { Exact, PremultipliedOnTheWay };

bool CloseEnough(Rgba seen, Rgba drawn, Precision precision) {
  if (precision == Precision::Exact || drawn.alpha == 255) {
    return seen == drawn;
  }
  const int step = 255 / drawn.alpha + 1;
  const auto near = [step](int a, int b) { return std::abs(a - b) <= step; };
  return seen.alpha == drawn.alpha && near(seen.red, drawn.red) && near(seen.green, drawn.green) &&
         near(seen.blue, drawn.blue);
}

void ExpectSamePixels(const QImage& loaded, const RgbaImage& painted,
                      Precision precision = Precision::Exact) {
  ASSERT_FALSE(loaded.isNull());
  ASSERT_EQ(loaded.width(), painted.Width());
  ASSERT_EQ(loaded.height(), painted.Height());
  const QImage straight = loaded.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < painted.Height(); ++y) {
    for (int x = 0; x < painted.Width(); ++x) {
      const QRgb pixel = straight.pixel(x, y);
      const Rgba seen{
          static_cast<std::uint8_t>(qRed(pixel)), static_cast<std::uint8_t>(qGreen(pixel)),
          static_cast<std::uint8_t>(qBlue(pixel)), static_cast<std::uint8_t>(qAlpha(pixel))};
      const Rgba drawn = painted.At(x, y);
      // A clear pixel's colour means nothing once it is clear.
      if (drawn.alpha == 0) {
        ASSERT_EQ(seen.alpha, 0) << "at " << x << "," << y;
        continue;
      }
      ASSERT_PRED3(CloseEnough, seen, drawn, precision) << "at " << x << "," << y;
    }
  }
}

TEST(ArtworkFiles, BackdropIs24BitBitmap) {
  QFile file(ArtworkPath(std::string(kBackdropFileName)));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray header = file.read(30);
  ASSERT_EQ(header.size(), 30);
  EXPECT_EQ(header.left(2), QByteArray("BM"));
  EXPECT_EQ(header[28], 24) << "bits per pixel";
  ExpectSamePixels(QImage(file.fileName(), "BMP"), PaintBackdrop());
}

TEST(ArtworkFiles, WindowsIconHoldsEverySize) {
  QImageReader reader(ArtworkPath(std::string(kWindowsIconFileName)), "ico");
  ASSERT_TRUE(reader.canRead()) << reader.errorString().toStdString();
  ASSERT_EQ(reader.imageCount(), static_cast<int>(kWindowsIconSizes.size()));
  for (const int size : kWindowsIconSizes) {
    SCOPED_TRACE(size);
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
    ExpectSamePixels(image, PaintIcon(size), Precision::PremultipliedOnTheWay);
    reader.jumpToNextImage();
  }
}

TEST(ArtworkFiles, DesktopIcons) {
  for (const int size : kDesktopIconSizes) {
    SCOPED_TRACE(size);
    ExpectSamePixels(QImage(ArtworkPath(DesktopIconPath(size))), PaintIcon(size));
  }
}

}  // namespace
}  // namespace zarvex
