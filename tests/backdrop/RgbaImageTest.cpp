#include "tools/artwork/RgbaImage.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

namespace zarvex {
namespace {

TEST(RgbaImage, KeepsEachPixelAndGuardsItsEdges) {
  {
    RgbaImage picture(3, 2, Rgba{1, 2, 3, 4});
    picture.Set(2, 1, Rgba{9, 8, 7, 6});
    EXPECT_EQ(picture.At(0, 0), (Rgba{1, 2, 3, 4}));
    EXPECT_EQ(picture.At(2, 1), (Rgba{9, 8, 7, 6}));
    EXPECT_EQ(picture.At(1, 1), (Rgba{1, 2, 3, 4})) << "setting one pixel touched another";
  }
  {
    RgbaImage picture(3, 2);
    EXPECT_THROW((void)picture.At(3, 0), std::out_of_range);
    EXPECT_THROW((void)picture.At(0, 2), std::out_of_range);
    EXPECT_THROW((void)picture.At(-1, 0), std::out_of_range);
    EXPECT_THROW(picture.Set(0, -1, Rgba{}), std::out_of_range);
  }
  {
    EXPECT_THROW(RgbaImage(0, 5), std::invalid_argument);
    EXPECT_THROW(RgbaImage(5, -1), std::invalid_argument);
  }
}

TEST(AverageSamples, WeighsColourByCoverage) {
  {
    // Half covered by red: the colour stays pure red, only the alpha halves.
    const std::array<Rgba, 2> samples = {Rgba{255, 0, 0, 255}, kTransparent};
    EXPECT_EQ(AverageSamples(samples), (Rgba{255, 0, 0, 128}));
  }
  {
    const std::array<Rgba, 4> samples = {Rgba{0, 0, 0, 255}, Rgba{255, 255, 255, 255},
                                         Rgba{255, 255, 255, 255}, Rgba{0, 0, 0, 255}};
    EXPECT_EQ(AverageSamples(samples), (Rgba{128, 128, 128, 255})) << "rounds to nearest";
  }
  {
    const std::array<Rgba, 3> samples = {kTransparent, kTransparent, kTransparent};
    EXPECT_EQ(AverageSamples(samples), kTransparent);
    EXPECT_EQ(AverageSamples({}), kTransparent);
  }
  {
    // A faint sample counts for less than an opaque one.
    const std::array<Rgba, 2> samples = {Rgba{200, 0, 0, 255}, Rgba{0, 0, 200, 51}};
    EXPECT_EQ(AverageSamples(samples), (Rgba{167, 0, 33, 153}));
  }
}

}  // namespace
}  // namespace zarvex
