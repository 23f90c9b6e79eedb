// Reads whole numbers back out of encoded picture files, so that the tests check the file
// layouts byte by byte instead of trusting the encoders' own helpers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace zarvex::testing {

inline std::uint32_t ReadLittleEndian16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return std::uint32_t{bytes.at(at)} | std::uint32_t{bytes.at(at + 1)} << 8;
}

inline std::uint32_t ReadLittleEndian32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return ReadLittleEndian16(bytes, at) | ReadLittleEndian16(bytes, at + 2) << 16;
}

inline std::uint32_t ReadBigEndian32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return std::uint32_t{bytes.at(at)} << 24 | std::uint32_t{bytes.at(at + 1)} << 16 |
         std::uint32_t{bytes.at(at + 2)} << 8 | std::uint32_t{bytes.at(at + 3)};
}

inline std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace zarvex::testing
