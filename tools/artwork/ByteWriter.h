// Appends whole numbers to a byte buffer in a chosen byte order: the file formats the editor's
// pictures are shipped in mix little-endian headers (bitmap, icon) with big-endian ones (PNG).
#pragma once

#include <cstdint>
#include <vector>

namespace zarvex {

using Bytes = std::vector<std::uint8_t>;

inline void AppendLittleEndian16(Bytes& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

inline void AppendLittleEndian32(Bytes& out, std::uint32_t value) {
  AppendLittleEndian16(out, value & 0xFFFF);
  AppendLittleEndian16(out, value >> 16);
}

inline void AppendBigEndian32(Bytes& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
  }
}

}  // namespace zarvex
