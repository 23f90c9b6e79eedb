#include "tools/artwork/EncodeBmp.h"

#include <gtest/gtest.h>

#include "tests/backdrop/ByteReading.h"
#include "tools/artwork/PaintBackdrop.h"

namespace zarvex {
namespace {

using testing::ReadLittleEndian16;
using testing::ReadLittleEndian32;

TEST(EncodeBmp24, WritesRowsBottomFirstInBlueGreenRedWithPadding) {
  RgbaImage picture(3, 2);
  picture.Set(0, 0, Rgba{1, 2, 3, 255});
  picture.Set(1, 0, Rgba{4, 5, 6, 255});
  picture.Set(2, 0, Rgba{7, 8, 9, 255});
  picture.Set(0, 1, Rgba{10, 11, 12, 255});
  picture.Set(1, 1, Rgba{13, 14, 15, 255});
  picture.Set(2, 1, Rgba{16, 17, 18, 40});  // alpha is not written
  const Bytes expected = {
      'B',  'M',  78, 0,  0,    0,                          // file size
      0,    0,    0,  0,                                    // reserved
      54,   0,    0,  0,                                    // pixel data offset
      40,   0,    0,  0,                                    // info header size
      3,    0,    0,  0,                                    // width
      2,    0,    0,  0,                                    // height, positive: bottom row first
      1,    0,    24, 0,                                    // planes, bits per pixel
      0,    0,    0,  0,                                    // no compression
      24,   0,    0,  0,                                    // pixel bytes
      0xC4, 0x0E, 0,  0,  0xC4, 0x0E, 0,  0,                // 96 dots per inch
      0,    0,    0,  0,  0,    0,    0,  0,                // no palette
      12,   11,   10, 15, 14,   13,   18, 17, 16, 0, 0, 0,  // bottom row, padded to 12
      3,    2,    1,  6,  5,    4,    9,  8,  7,  0, 0, 0,  // top row
  };
  EXPECT_EQ(EncodeBmp24(picture), expected);
}

TEST(EncodeBmp24, BackdropFileHasTheShippedFormat) {
  const RgbaImage backdrop = PaintBackdrop();
  const Bytes file = EncodeBmp24(backdrop);
  ASSERT_EQ(file.size(), 54u + 320u * 3u * 240u) << "320 pixels of 3 bytes need no padding";
  EXPECT_EQ(ReadLittleEndian32(file, 2), file.size());
  EXPECT_EQ(ReadLittleEndian32(file, 18), 320u);
  EXPECT_EQ(ReadLittleEndian32(file, 22), 240u);
  EXPECT_EQ(ReadLittleEndian16(file, 28), 24u);
  // The top left pixel is the last row's first one.
  const std::size_t topLeft = 54 + 239 * 960;
  const Rgba corner = backdrop.At(0, 0);
  EXPECT_EQ(file[topLeft], corner.blue);
  EXPECT_EQ(file[topLeft + 1], corner.green);
  EXPECT_EQ(file[topLeft + 2], corner.red);
}

}  // namespace
}  // namespace zarvex
