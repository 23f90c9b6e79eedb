#include "tools/artwork/EncodeIco.h"

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "tools/artwork/EncodePng.h"

namespace zarvex {
namespace {

constexpr std::uint32_t kDirectorySize = 6;
constexpr std::uint32_t kEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr int kPngFromSize = 256;

// A bitmap inside an icon has a header claiming twice its height: the colour rows, bottom row
// first, are followed by as many rows of the mask, where a set bit means transparent.
Bytes IconBitmap(const RgbaImage& picture) {
  const auto size = static_cast<std::uint32_t>(picture.Width());
  const std::uint32_t maskRowSize = (size + 31) / 32 * 4;
  const std::uint32_t colourBytes = size * size * 4;
  const std::uint32_t maskBytes = maskRowSize * size;

  Bytes image;
  image.reserve(kInfoHeaderSize + colourBytes + maskBytes);
  AppendLittleEndian32(image, kInfoHeaderSize);
  AppendLittleEndian32(image, size);
  AppendLittleEndian32(image, size * 2);
  AppendLittleEndian16(image, 1);   // planes
  AppendLittleEndian16(image, 32);  // bits per pixel
  AppendLittleEndian32(image, 0);   // no compression
  AppendLittleEndian32(image, colourBytes + maskBytes);
  AppendLittleEndian32(image, 0);
  AppendLittleEndian32(image, 0);
  AppendLittleEndian32(image, 0);
  AppendLittleEndian32(image, 0);

  for (int y = picture.Height() - 1; y >= 0; --y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const Rgba pixel = picture.At(x, y);
      image.insert(image.end(), {pixel.blue, pixel.green, pixel.red, pixel.alpha});
    }
  }
  for (int y = picture.Height() - 1; y >= 0; --y) {
    Bytes row(maskRowSize, 0);
    for (int x = 0; x < picture.Width(); ++x) {
      if (picture.At(x, y).alpha == 0) {
        const auto column = static_cast<std::size_t>(x);
        row[column / 8] = static_cast<std::uint8_t>(row[column / 8] | (0x80u >> (column % 8)));
      }
    }
    image.insert(image.end(), row.begin(), row.end());
  }
  return image;
}

}  // namespace

Bytes EncodeIco(std::span<const RgbaImage> pictures) {
  if (pictures.empty()) {
    throw std::invalid_argument("an icon file needs at least one picture");
  }
  std::vector<Bytes> images;
  for (const RgbaImage& picture : pictures) {
    if (picture.Width() != picture.Height() || picture.Width() > kPngFromSize) {
      throw std::invalid_argument("icon pictures must be square and at most 256 pixels wide");
    }
    images.push_back(picture.Width() == kPngFromSize ? EncodePng(picture) : IconBitmap(picture));
  }

  Bytes file;
  AppendLittleEndian16(file, 0);  // reserved
  AppendLittleEndian16(file, 1);  // an icon, not a cursor
  AppendLittleEndian16(file, static_cast<std::uint32_t>(pictures.size()));
  auto offset = static_cast<std::uint32_t>(kDirectorySize + kEntrySize * pictures.size());
  for (std::size_t index = 0; index < pictures.size(); ++index) {
    // A width or height of 256 does not fit a byte and is written as 0.
    const auto side = static_cast<std::uint8_t>(pictures[index].Width() % 256);
    file.insert(file.end(), {side, side, 0, 0});  // no palette, reserved
    AppendLittleEndian16(file, 1);                // planes
    AppendLittleEndian16(file, 32);               // bits per pixel
    AppendLittleEndian32(file, static_cast<std::uint32_t>(images[index].size()));
    AppendLittleEndian32(file, offset);
    offset += static_cast<std::uint32_t>(images[index].size());
  }
  for (const Bytes& image : images) {
    file.insert(file.end(), image.begin(), image.end());
  }
  return file;
}

}  // namespace zarvex
