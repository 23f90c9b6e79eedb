#include "tools/artwork/EncodePng.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "tools/artwork/ZlibCompress.h"

namespace zarvex {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kBitDepth = 8;
constexpr std::uint8_t kColourTypeRgba = 6;
constexpr std::uint8_t kNoFilter = 0;

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t entry = 0; entry < 256; ++entry) {
    std::uint32_t value = entry;
    for (int bit = 0; bit < 8; ++bit) {
      value = (value & 1u) != 0 ? 0xEDB88320u ^ (value >> 1) : value >> 1;
    }
    table[entry] = value;
  }
  return table;
}
constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

// The CRC-32 of a chunk covers its type and its data, not its length.
std::uint32_t ChunkCrc(std::span<const std::uint8_t> typeAndData) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const std::uint8_t byte : typeAndData) {
    crc = kCrcTable[(crc ^ byte) & 0xFFu] ^ (crc >> 8);
  }
  return crc ^ 0xFFFFFFFFu;
}

void AppendChunk(Bytes& file, std::string_view type, const Bytes& data) {
  AppendBigEndian32(file, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeStart = file.size();
  file.insert(file.end(), type.begin(), type.end());
  file.insert(file.end(), data.begin(), data.end());
  AppendBigEndian32(file, ChunkCrc(std::span(file).subspan(typeStart)));
}

}  // namespace

Bytes EncodePng(const RgbaImage& picture) {
  Bytes header;
  AppendBigEndian32(header, static_cast<std::uint32_t>(picture.Width()));
  AppendBigEndian32(header, static_cast<std::uint32_t>(picture.Height()));
  header.push_back(kBitDepth);
  header.push_back(kColourTypeRgba);
  header.push_back(0);  // deflate
  header.push_back(0);  // adaptive filtering, here always "none"
  header.push_back(0);  // not interlaced

  Bytes rows;
  rows.reserve(static_cast<std::size_t>(picture.Height()) *
               (1 + 4 * static_cast<std::size_t>(picture.Width())));
  for (int y = 0; y < picture.Height(); ++y) {
    rows.push_back(kNoFilter);
    for (int x = 0; x < picture.Width(); ++x) {
      const Rgba pixel = picture.At(x, y);
      rows.insert(rows.end(), {pixel.red, pixel.green, pixel.blue, pixel.alpha});
    }
  }

  Bytes file(kSignature.begin(), kSignature.end());
  AppendChunk(file, "IHDR", header);
  AppendChunk(file, "IDAT", ZlibCompress(rows));
  AppendChunk(file, "IEND", {});
  return file;
}

}  // namespace zarvex
