// Writes a picture as a PNG file: 8-bit RGBA, not interlaced, each row unfiltered, the pixel
// data packed by ZlibCompress. Used for the desktop icons and inside the Windows icon file.
#pragma once

#include "tools/artwork/ByteWriter.h"
#include "tools/artwork/RgbaImage.h"

namespace zarvex {

[[nodiscard]] Bytes EncodePng(const RgbaImage& picture);

}  // namespace zarvex
