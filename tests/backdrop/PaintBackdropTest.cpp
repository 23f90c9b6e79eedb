#include "tools/artwork/PaintBackdrop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace zarvex {
namespace {

int Brightness(Rgba pixel) {
  return std::max({pixel.red, pixel.green, pixel.blue});
}

bool IsHazardYellow(Rgba pixel) {
  return pixel.red > 150 && pixel.green > 110 && pixel.blue < 40;
}

bool IsGreyMetal(Rgba pixel) {
  return std::abs(pixel.red - pixel.green) <= 4 && std::abs(pixel.blue - pixel.red) <= 10 &&
         pixel.red >= 20;
}

TEST(BackdropAreaUnder, ScalesTheLayoutOntoTheBitmap) {
  {
    // Label9 spans twips 1320..3255 across and 360..615 down a 5880 x 4665 picture.
    const PixelRect title = BackdropAreaUnder(Control::Label9);
    EXPECT_EQ(title, (PixelRect{71, 18, 107, 14}));
  }
  {
    EXPECT_EQ(BackdropAreaUnder(Control::Image1),
              (PixelRect{0, 0, kBackdropWidth, kBackdropHeight}));
  }
  {
    // Label4 reaches past the picture's right edge; the script area lies wholly below it.
    const PixelRect version = BackdropAreaUnder(Control::Label4);
    EXPECT_EQ(version.Right(), kBackdropWidth);
    EXPECT_EQ(BackdropAreaUnder(Control::Text6).height, 0);
  }
}

TEST(PaintBackdrop, IsAnOpaqueBitmapOfTheShippedSize) {
  const RgbaImage backdrop = PaintBackdrop();
  ASSERT_EQ(backdrop.Width(), 320);
  ASSERT_EQ(backdrop.Height(), 240);
  for (int y = 0; y < backdrop.Height(); ++y) {
    for (int x = 0; x < backdrop.Width(); ++x) {
      ASSERT_EQ(backdrop.At(x, y).alpha, 255) << "at " << x << "," << y;
    }
  }
  EXPECT_EQ(backdrop, PaintBackdrop()) << "two paintings differ";
}

TEST(PaintBackdrop, InnerPictureIsDimAndPureRed) {
  const RgbaImage backdrop = PaintBackdrop();
  const PixelRect& area = kBackdropPictureArea;
  long long redSum = 0;
  int brightest = 0;
  std::set<int> levels;
  for (int y = area.top; y < area.Bottom(); ++y) {
    for (int x = area.left; x < area.Right(); ++x) {
      const Rgba pixel = backdrop.At(x, y);
      ASSERT_EQ(pixel.green, 0) << "at " << x << "," << y;
      ASSERT_EQ(pixel.blue, 0) << "at " << x << "," << y;
      redSum += pixel.red;
      brightest = std::max<int>(brightest, pixel.red);
      levels.insert(pixel.red);
    }
  }
  const long long mean = redSum / (area.width * area.height);
  EXPECT_LE(brightest, 128) << "the picture should stay dim";
  EXPECT_LE(mean, 48);
  // A picture, not a flat fill: a disc, a tower, a skyline and a sky gradient.
  EXPECT_GE(levels.size(), 40u);
  EXPECT_GE(brightest, 80) << "the disc should stand out from the sky";
}

TEST(PaintBackdrop, FrameIsMetalWithHazardStripesAndABlackTitleBar) {
  const RgbaImage backdrop = PaintBackdrop();
  {
    const PixelRect title = BackdropAreaUnder(Control::Label9);
    for (int y = title.top; y < title.Bottom(); ++y) {
      for (int x = title.left; x < title.Right(); ++x) {
        ASSERT_EQ(backdrop.At(x, y), (Rgba{0, 0, 0, 255})) << "at " << x << "," << y;
      }
    }
    // The bar lies in the frame, above the picture, centred under the title.
    EXPECT_LE(kBackdropTitleBar.Bottom(), kBackdropPictureArea.top);
    EXPECT_TRUE(kBackdropTitleBar.Contains(title.left, title.top));
    EXPECT_TRUE(kBackdropTitleBar.Contains(title.Right() - 1, title.Bottom() - 1));
  }
  {
    int metal = 0;
    int yellowAbove = 0;
    int yellowBelow = 0;
    int frame = 0;
    for (int y = 0; y < backdrop.Height(); ++y) {
      for (int x = 0; x < backdrop.Width(); ++x) {
        if (kBackdropPictureArea.Grown(3, 3).Contains(x, y) || kBackdropTitleBar.Contains(x, y)) {
          continue;
        }
        ++frame;
        const Rgba pixel = backdrop.At(x, y);
        metal += IsGreyMetal(pixel) ? 1 : 0;
        if (IsHazardYellow(pixel)) {
          (y < kBackdropPictureArea.top ? yellowAbove : yellowBelow) += 1;
        }
      }
    }
    EXPECT_GE(metal * 2, frame) << "most of the frame should be grey metal";
    EXPECT_GE(yellowAbove, 500) << "hazard stripes along the top";
    EXPECT_GE(yellowBelow, 500) << "hazard stripes along the bottom";
  }
}

TEST(PaintBackdrop, EveryLabelStaysReadableOnIt) {
  const RgbaImage backdrop = PaintBackdrop();
  for (const ControlLayout& row : kWindowLayout) {
    if (row.kind != ControlKind::Label) {
      continue;
    }
    const PixelRect area = BackdropAreaUnder(row.name);
    long long sum = 0;
    for (int y = area.top; y < area.Bottom(); ++y) {
      for (int x = area.left; x < area.Right(); ++x) {
        sum += Brightness(backdrop.At(x, y));
      }
    }
    const long long mean = sum / (area.width * area.height);
    const int text = std::max({row.textColour->red, row.textColour->green, row.textColour->blue});
    EXPECT_LE(mean * 3, text) << std::string(NameOf(row.name))
                              << ": the backdrop under it is too bright for its text";
  }
}

}  // namespace
}  // namespace zarvex
