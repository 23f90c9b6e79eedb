#include "tools/artwork/EncodeBmp.h"

#include <cstddef>
#include <cstdint>

namespace zarvex {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelsPerMetre = 3780;  // 96 dots per inch

}  // namespace

Bytes EncodeBmp24(const RgbaImage& picture) {
  const auto width = static_cast<std::uint32_t>(picture.Width());
  const auto height = static_cast<std::uint32_t>(picture.Height());
  // Each row is padded to a multiple of four bytes.
  const std::uint32_t rowSize = (width * 3 + 3) / 4 * 4;
  const std::uint32_t pixelBytes = rowSize * height;
  const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize;

  Bytes file;
  file.reserve(pixelOffset + pixelBytes);
  file.push_back('B');
  file.push_back('M');
  AppendLittleEndian32(file, pixelOffset + pixelBytes);
  AppendLittleEndian32(file, 0);  // reserved
  AppendLittleEndian32(file, pixelOffset);

  AppendLittleEndian32(file, kInfoHeaderSize);
  AppendLittleEndian32(file, width);
  AppendLittleEndian32(file, height);  // positive: the bottom row comes first
  AppendLittleEndian16(file, 1);       // planes
  AppendLittleEndian16(file, 24);      // bits per pixel
  AppendLittleEndian32(file, 0);       // no compression
  AppendLittleEndian32(file, pixelBytes);
  AppendLittleEndian32(file, kPixelsPerMetre);
  AppendLittleEndian32(file, kPixelsPerMetre);
  AppendLittleEndian32(file, 0);  // no palette
  AppendLittleEndian32(file, 0);  // every colour counts

  for (int y = picture.Height() - 1; y >= 0; --y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const Rgba pixel = picture.At(x, y);
      file.push_back(pixel.blue);
      file.push_back(pixel.green);
      file.push_back(pixel.red);
    }
    file.resize(file.size() + (rowSize - width * 3), 0);
  }
  return file;
}

}  // namespace zarvex
