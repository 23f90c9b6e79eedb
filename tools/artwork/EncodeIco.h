// Writes square pictures as one Windows icon file, the program icon the Windows build links in.
// Pictures of 256 pixels are stored as PNG, smaller ones as 32-bit bitmaps with their 1-bit
// transparency mask, which every Windows version reads.
//
//   const Bytes icon = EncodeIco({PaintIcon(16), PaintIcon(32), PaintIcon(256)});
#pragma once

#include <span>

#include "tools/artwork/ByteWriter.h"
#include "tools/artwork/RgbaImage.h"

namespace zarvex {

// Throws std::invalid_argument for no pictures, or for one that is not square or is wider
// than 256 pixels.
[[nodiscard]] Bytes EncodeIco(std::span<const RgbaImage> pictures);

}  // namespace zarvex
