#include "tools/artwork/ZlibCompress.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

namespace zarvex {
namespace {

constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxMatch = 258;
constexpr std::size_t kWindowSize = 32768;
constexpr std::size_t kHashSize = 1 << 15;
constexpr int kMaxChainSteps = 128;
constexpr std::size_t kNoPosition = static_cast<std::size_t>(-1);

constexpr std::array<std::uint16_t, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                       15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                       67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtraBits = {
    0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistanceExtraBits = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                             4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                             9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// Deflate packs bits from the least significant end; Huffman codes go in from their top bit.
class BitWriter {
 public:
  explicit BitWriter(Bytes& out) : out_(out) {}

  void Put(std::uint32_t value, int count) {
    for (int bit = 0; bit < count; ++bit) {
      PutBit((value >> bit) & 1u);
    }
  }

  void PutCode(std::uint32_t code, int length) {
    for (int bit = length - 1; bit >= 0; --bit) {
      PutBit((code >> bit) & 1u);
    }
  }

  void Flush() {
    if (used_ > 0) {
      out_.push_back(pending_);
      pending_ = 0;
      used_ = 0;
    }
  }

 private:
  void PutBit(std::uint32_t bit) {
    pending_ = static_cast<std::uint8_t>(pending_ | (bit << used_));
    if (++used_ == 8) {
      Flush();
    }
  }

  Bytes& out_;
  std::uint8_t pending_ = 0;
  int used_ = 0;
};

// The fixed literal/length code of RFC 1951, section 3.2.6.
void PutLiteralOrLength(BitWriter& bits, std::uint32_t symbol) {
  if (symbol < 144) {
    bits.PutCode(0x30 + symbol, 8);
  } else if (symbol < 256) {
    bits.PutCode(0x190 + symbol - 144, 9);
  } else if (symbol < 280) {
    bits.PutCode(symbol - 256, 7);
  } else {
    bits.PutCode(0xC0 + symbol - 280, 8);
  }
}

void PutMatch(BitWriter& bits, std::size_t length, std::size_t distance) {
  std::size_t lengthCode = kLengthBase.size() - 1;
  while (kLengthBase[lengthCode] > length) {
    --lengthCode;
  }
  PutLiteralOrLength(bits, static_cast<std::uint32_t>(257 + lengthCode));
  bits.Put(static_cast<std::uint32_t>(length - kLengthBase[lengthCode]),
           kLengthExtraBits[lengthCode]);

  std::size_t distanceCode = kDistanceBase.size() - 1;
  while (kDistanceBase[distanceCode] > distance) {
    --distanceCode;
  }
  bits.PutCode(static_cast<std::uint32_t>(distanceCode), 5);
  bits.Put(static_cast<std::uint32_t>(distance - kDistanceBase[distanceCode]),
           kDistanceExtraBits[distanceCode]);
}

std::size_t HashAt(std::span<const std::uint8_t> data, std::size_t position) {
  const std::uint32_t key = (std::uint32_t{data[position]} << 16) |
                            (std::uint32_t{data[position + 1]} << 8) | data[position + 2];
  return (key * 2654435761u) >> 17;
}

}  // namespace

std::uint32_t Adler32(std::span<const std::uint8_t> data) {
  constexpr std::uint32_t kModulus = 65521;
  std::uint32_t low = 1;
  std::uint32_t high = 0;
  for (const std::uint8_t byte : data) {
    low = (low + byte) % kModulus;
    high = (high + low) % kModulus;
  }
  return (high << 16) | low;
}

Bytes ZlibCompress(std::span<const std::uint8_t> data) {
  Bytes out;
  out.push_back(0x78);  // deflate, 32 KiB window
  out.push_back(0x9C);  // default level; makes the header a multiple of 31
  BitWriter bits(out);
  bits.Put(1, 1);  // the last block
  bits.Put(1, 2);  // fixed Huffman codes

  std::vector<std::size_t> head(kHashSize, kNoPosition);
  std::vector<std::size_t> previous(data.size(), kNoPosition);
  const auto remember = [&](std::size_t position) {
    if (position + kMinMatch <= data.size()) {
      const std::size_t hash = HashAt(data, position);
      previous[position] = head[hash];
      head[hash] = position;
    }
  };

  std::size_t position = 0;
  while (position < data.size()) {
    std::size_t bestLength = 0;
    std::size_t bestDistance = 0;
    if (position + kMinMatch <= data.size()) {
      const std::size_t longest = std::min(kMaxMatch, data.size() - position);
      std::size_t candidate = head[HashAt(data, position)];
      for (int step = 0;
           step < kMaxChainSteps && candidate != kNoPosition && position - candidate <= kWindowSize;
           ++step, candidate = previous[candidate]) {
        std::size_t length = 0;
        while (length < longest && data[candidate + length] == data[position + length]) {
          ++length;
        }
        if (length > bestLength) {
          bestLength = length;
          bestDistance = position - candidate;
          if (length == longest) {
            break;
          }
        }
      }
    }
    if (bestLength >= kMinMatch) {
      PutMatch(bits, bestLength, bestDistance);
      for (std::size_t covered = 0; covered < bestLength; ++covered) {
        remember(position + covered);
      }
      position += bestLength;
    } else {
      PutLiteralOrLength(bits, data[position]);
      remember(position);
      ++position;
    }
  }
  PutLiteralOrLength(bits, 256);  // end of block
  bits.Flush();
  AppendBigEndian32(out, Adler32(data));
  return out;
}

}  // namespace zarvex
