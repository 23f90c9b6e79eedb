// A picture in memory: straight-alpha RGBA pixels, top row first. The painters fill it and the
// image writers save it; it knows nothing of any file format or toolkit.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zarvex {

struct Rgba {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t alpha = 255;
  friend constexpr bool operator==(Rgba, Rgba) = default;
};

inline constexpr Rgba kTransparent{0, 0, 0, 0};

class RgbaImage {
 public:
  // Throws std::invalid_argument for a size that is not positive.
  RgbaImage(int width, int height, Rgba fill = kTransparent);

  [[nodiscard]] int Width() const { return width_; }
  [[nodiscard]] int Height() const { return height_; }

  // Both throw std::out_of_range for a point outside the picture.
  [[nodiscard]] Rgba At(int x, int y) const;
  void Set(int x, int y, Rgba colour);

  friend bool operator==(const RgbaImage&, const RgbaImage&) = default;

 private:
  [[nodiscard]] std::size_t IndexOf(int x, int y) const;

  int width_;
  int height_;
  std::vector<Rgba> pixels_;
};

// Averages sample colours into one pixel, weighting each by its alpha so that a transparent
// sample adds coverage, not colour. Rounds to nearest; an empty list gives kTransparent.
[[nodiscard]] Rgba AverageSamples(std::span<const Rgba> samples);

}  // namespace zarvex
