#include "tools/artwork/RgbaImage.h"

#include <stdexcept>
#include <string>

namespace zarvex {

RgbaImage::RgbaImage(int width, int height, Rgba fill) : width_(width), height_(height) {
  if (width <= 0 || height <= 0) {
    throw std::invalid_argument("a picture needs a positive size, not " + std::to_string(width) +
                                " x " + std::to_string(height));
  }
  pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
}

Rgba RgbaImage::At(int x, int y) const {
  return pixels_[IndexOf(x, y)];
}

void RgbaImage::Set(int x, int y, Rgba colour) {
  pixels_[IndexOf(x, y)] = colour;
}

std::size_t RgbaImage::IndexOf(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) {
    throw std::out_of_range("point " + std::to_string(x) + "," + std::to_string(y) +
                            " lies outside the picture");
  }
  return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
         static_cast<std::size_t>(x);
}

Rgba AverageSamples(std::span<const Rgba> samples) {
  if (samples.empty()) {
    return kTransparent;
  }
  // Integer sums only: the committed pictures must come out byte for byte the same on every
  // compiler and processor, including 32-bit builds with x87 floating point.
  std::uint64_t alphaSum = 0;
  std::uint64_t redSum = 0;
  std::uint64_t greenSum = 0;
  std::uint64_t blueSum = 0;
  for (const Rgba& sample : samples) {
    alphaSum += sample.alpha;
    redSum += std::uint64_t{sample.red} * sample.alpha;
    greenSum += std::uint64_t{sample.green} * sample.alpha;
    blueSum += std::uint64_t{sample.blue} * sample.alpha;
  }
  if (alphaSum == 0) {
    return kTransparent;
  }
  const auto average = [alphaSum](std::uint64_t weighted) {
    return static_cast<std::uint8_t>((weighted + alphaSum / 2) / alphaSum);
  };
  const std::uint64_t count = samples.size();
  return {average(redSum), average(greenSum), average(blueSum),
          static_cast<std::uint8_t>((alphaSum + count / 2) / count)};
}

}  // namespace zarvex
