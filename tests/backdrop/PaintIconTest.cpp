#include "tools/artwork/PaintIcon.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zarvex {
namespace {

TEST(PaintIcon, EverySizeShowsTheMotifOnATransparentGround) {
  for (const int size : kDesktopIconSizes) {
    SCOPED_TRACE(size);
    const RgbaImage icon = PaintIcon(size);
    ASSERT_EQ(icon.Width(), size);
    ASSERT_EQ(icon.Height(), size);
    // Rounded corners: the very corners are clear, the middle of each edge is not.
    EXPECT_EQ(icon.At(0, 0).alpha, 0);
    EXPECT_EQ(icon.At(size - 1, 0).alpha, 0);
    EXPECT_EQ(icon.At(0, size - 1).alpha, 0);
    EXPECT_EQ(icon.At(size - 1, size - 1).alpha, 0);
    EXPECT_EQ(icon.At(size / 2, size / 2).alpha, 255);

    int red = 0;
    int yellow = 0;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const Rgba pixel = icon.At(x, y);
        if (pixel.alpha == 0) {
          EXPECT_EQ(pixel, kTransparent) << "a clear pixel keeps no stray colour";
          continue;
        }
        if (pixel.red > 180 && pixel.green < 40 && pixel.blue < 40 && y < size / 2) {
          ++red;
        }
        if (pixel.red > 150 && pixel.green > 110 && pixel.blue < 60 && y > size * 3 / 4) {
          ++yellow;
        }
      }
    }
    EXPECT_GE(red, size * size / 50) << "the red disc in the upper half";
    EXPECT_GE(yellow, size / 4) << "hazard stripes along the bottom";
  }
}

TEST(PaintIcon, LargeSizesHaveSmoothCorners) {
  const RgbaImage icon = PaintIcon(256);
  int partlyClear = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      const std::uint8_t alpha = icon.At(x, y).alpha;
      partlyClear += alpha > 0 && alpha < 255 ? 1 : 0;
    }
  }
  EXPECT_GE(partlyClear, 20);
}

TEST(PaintIcon, RejectsSizesAnIconFileCannotHold) {
  EXPECT_THROW((void)PaintIcon(15), std::invalid_argument);
  EXPECT_THROW((void)PaintIcon(257), std::invalid_argument);
  EXPECT_THROW((void)PaintIcon(0), std::invalid_argument);
  EXPECT_NO_THROW((void)PaintIcon(kSmallestIconSize));
}

}  // namespace
}  // namespace zarvex
