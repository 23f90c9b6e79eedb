#include "tools/artwork/EncodeIco.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <vector>

#include "tests/backdrop/ByteReading.h"
#include "tools/artwork/PaintIcon.h"

namespace zarvex {
namespace {

using testing::ReadLittleEndian16;
using testing::ReadLittleEndian32;

struct DirectoryEntry {
  int width;
  int height;
  std::uint32_t planes;
  std::uint32_t bitsPerPixel;
  std::uint32_t size;
  std::uint32_t offset;
};

std::vector<DirectoryEntry> ReadDirectory(const Bytes& file) {
  EXPECT_EQ(ReadLittleEndian16(file, 0), 0u);
  EXPECT_EQ(ReadLittleEndian16(file, 2), 1u) << "type: icon";
  std::vector<DirectoryEntry> entries;
  const std::uint32_t count = ReadLittleEndian16(file, 4);
  for (std::uint32_t index = 0; index < count; ++index) {
    const std::size_t at = 6 + 16 * index;
    entries.push_back({file.at(at) == 0 ? 256 : file.at(at),
                       file.at(at + 1) == 0 ? 256 : file.at(at + 1),
                       ReadLittleEndian16(file, at + 4), ReadLittleEndian16(file, at + 6),
                       ReadLittleEndian32(file, at + 8), ReadLittleEndian32(file, at + 12)});
  }
  return entries;
}

TEST(EncodeIco, DirectoryPointsAtEachPictureInTurn) {
  std::vector<RgbaImage> pictures;
  for (const int size : kWindowsIconSizes) {
    pictures.push_back(PaintIcon(size));
  }
  const Bytes file = EncodeIco(pictures);
  const std::vector<DirectoryEntry> entries = ReadDirectory(file);
  ASSERT_EQ(entries.size(), kWindowsIconSizes.size());
  std::uint32_t expectedOffset = 6 + 16 * static_cast<std::uint32_t>(entries.size());
  for (std::size_t index = 0; index < entries.size(); ++index) {
    SCOPED_TRACE(kWindowsIconSizes[index]);
    const DirectoryEntry& entry = entries[index];
    EXPECT_EQ(entry.width, kWindowsIconSizes[index]);
    EXPECT_EQ(entry.height, kWindowsIconSizes[index]);
    EXPECT_EQ(entry.planes, 1u);
    EXPECT_EQ(entry.bitsPerPixel, 32u);
    EXPECT_EQ(entry.offset, expectedOffset) << "pictures follow one another without gaps";
    expectedOffset += entry.size;
  }
  EXPECT_EQ(expectedOffset, file.size());
  {
    // The 256-pixel picture is a PNG file of its own.
    const DirectoryEntry& large = entries.back();
    const Bytes signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(),
                           file.begin() + static_cast<std::ptrdiff_t>(large.offset)));
  }
}

TEST(EncodeIco, SmallPicturesAreBitmapsWithAMatchingMask) {
  // A 3 x 3 picture with a clear middle row: each row's mask pads to four bytes.
  RgbaImage picture(3, 3, Rgba{10, 20, 30, 255});
  picture.Set(0, 1, kTransparent);
  picture.Set(1, 1, kTransparent);
  picture.Set(2, 1, Rgba{200, 100, 50, 128});
  picture.Set(2, 0, Rgba{1, 2, 3, 255});
  const std::vector<RgbaImage> pictures = {picture};
  const Bytes file = EncodeIco(pictures);
  const std::size_t image = ReadLittleEndian32(file, 6 + 12);
  ASSERT_EQ(ReadLittleEndian32(file, 6 + 8), 40u + 3 * 3 * 4 + 3 * 4);
  EXPECT_EQ(ReadLittleEndian32(file, image), 40u);
  EXPECT_EQ(ReadLittleEndian32(file, image + 4), 3u);
  EXPECT_EQ(ReadLittleEndian32(file, image + 8), 6u) << "colour rows and mask rows together";
  EXPECT_EQ(ReadLittleEndian16(file, image + 14), 32u);
  const std::size_t colours = image + 40;
  {
    // Bottom row first, then the middle row, then the top row ending in the odd pixel.
    const std::size_t topRight = colours + (2 * 3 + 2) * 4;
    EXPECT_EQ(file.at(topRight), 3);
    EXPECT_EQ(file.at(topRight + 1), 2);
    EXPECT_EQ(file.at(topRight + 2), 1);
    EXPECT_EQ(file.at(topRight + 3), 255);
    const std::size_t middleRight = colours + (1 * 3 + 2) * 4;
    EXPECT_EQ(file.at(middleRight), 50);
    EXPECT_EQ(file.at(middleRight + 3), 128);
  }
  {
    const std::size_t mask = colours + 3 * 3 * 4;
    EXPECT_EQ(ReadLittleEndian32(file, mask), 0u) << "bottom row: all shown";
    EXPECT_EQ(file.at(mask + 4), 0b1100'0000) << "middle row: the two clear pixels";
    EXPECT_EQ(ReadLittleEndian32(file, mask + 8), 0u) << "top row: all shown";
    EXPECT_EQ(mask + 12, file.size());
  }
}

TEST(EncodeIco, RefusesPicturesAnIconCannotHold) {
  EXPECT_THROW((void)EncodeIco({}), std::invalid_argument);
  {
    const std::vector<RgbaImage> pictures = {RgbaImage(16, 15)};
    EXPECT_THROW((void)EncodeIco(pictures), std::invalid_argument);
  }
  {
    const std::vector<RgbaImage> pictures = {RgbaImage(512, 512)};
    EXPECT_THROW((void)EncodeIco(pictures), std::invalid_argument);
  }
}

}  // namespace
}  // namespace zarvex
