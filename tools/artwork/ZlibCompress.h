// Packs bytes into a zlib stream (RFC 1950) holding one deflate block with the fixed Huffman
// codes (RFC 1951), the form a PNG file's pixel data takes. Repeats are found by a hash-chain
// search, which is enough for flat, stripy artwork; it aims at small committed files, not at
// matching any other compressor's output.
#pragma once

#include <cstdint>
#include <span>

#include "tools/artwork/ByteWriter.h"

namespace zarvex {

[[nodiscard]] Bytes ZlibCompress(std::span<const std::uint8_t> data);

// The Adler-32 checksum that closes a zlib stream.
[[nodiscard]] std::uint32_t Adler32(std::span<const std::uint8_t> data);

}  // namespace zarvex
