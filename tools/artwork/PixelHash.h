// Scrambles a point and a salt into 32 well-mixed bits: the painters' only source of grain,
// wear and lit windows. Unlike a random generator it keeps no state, so a pixel's noise does not
// depend on the order the pixels are painted in.
#pragma once

#include <cstdint>

namespace zarvex {

[[nodiscard]] constexpr std::uint32_t PixelHash(int x, int y, std::uint32_t salt) {
  std::uint32_t bits = static_cast<std::uint32_t>(x) * 0x9E3779B1u;
  bits ^= static_cast<std::uint32_t>(y) * 0x85EBCA77u;
  bits ^= salt * 0xC2B2AE3Du;
  bits ^= bits >> 15;
  bits *= 0x2C1B3C6Du;
  bits ^= bits >> 12;
  bits *= 0x297A2D39u;
  bits ^= bits >> 15;
  return bits;
}

// A whole number from 0 to range - 1, drawn from the point's hash.
[[nodiscard]] constexpr int PixelNoise(int x, int y, std::uint32_t salt, int range) {
  return static_cast<int>(PixelHash(x, y, salt) % static_cast<std::uint32_t>(range));
}

}  // namespace zarvex
