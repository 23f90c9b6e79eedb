// The program's icon, painted from code at any of the sizes a desktop asks for: a steel tile
// holding the backdrop's motif, a red disc over a leaning black tower, above a strip of hazard
// stripes. Outside the tile's rounded corners the icon is transparent.
#pragma once

#include <array>

#include "tools/artwork/RgbaImage.h"

namespace zarvex {

inline constexpr int kSmallestIconSize = 16;
inline constexpr int kLargestIconSize = 256;

// The sizes packed into the Windows icon file, and those shipped as separate PNG files.
inline constexpr std::array<int, 5> kWindowsIconSizes = {16, 24, 32, 48, 256};
inline constexpr std::array<int, 7> kDesktopIconSizes = {16, 24, 32, 48, 64, 128, 256};

// A square icon, size pixels wide. Throws std::invalid_argument outside 16 to 256.
[[nodiscard]] RgbaImage PaintIcon(int size);

}  // namespace zarvex
