// Writes a picture as an uncompressed 24-bit Windows bitmap file, the form the window's backdrop
// is shipped in. Alpha is dropped, so the picture should be opaque; nothing else is lost.
//
//   const Bytes file = EncodeBmp24(PaintBackdrop());  // 54-byte header, then rows bottom first
#pragma once

#include "tools/artwork/ByteWriter.h"
#include "tools/artwork/RgbaImage.h"

namespace zarvex {

[[nodiscard]] Bytes EncodeBmp24(const RgbaImage& picture);

}  // namespace zarvex
