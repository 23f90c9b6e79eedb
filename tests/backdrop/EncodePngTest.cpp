// Checks the PNG and zlib output against zlib itself, an independent decoder.
#include "tools/artwork/EncodePng.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstddef>
#include <string>

#include "tests/backdrop/ByteReading.h"
#include "tools/artwork/PaintIcon.h"
#include "tools/artwork/PixelHash.h"
#include "tools/artwork/ZlibCompress.h"

namespace zarvex {
namespace {

using testing::ReadBigEndian32;

// Fails the test when zlib rejects the stream.
Bytes Inflate(const Bytes& stream, std::size_t expectedSize) {
  Bytes out(expectedSize + 1);
  uLongf outSize = static_cast<uLongf>(out.size());
  const int status =
      uncompress(out.data(), &outSize, stream.data(), static_cast<uLong>(stream.size()));
  EXPECT_EQ(status, Z_OK) << "zlib cannot read the stream";
  out.resize(status == Z_OK ? outSize : 0);
  return out;
}

void ExpectRoundTrip(const Bytes& data, const std::string& what) {
  SCOPED_TRACE(what);
  const Bytes packed = ZlibCompress(data);
  ASSERT_GE(packed.size(), 2u);
  EXPECT_EQ((packed[0] * 256 + packed[1]) % 31, 0) << "zlib header check bits";
  EXPECT_EQ(Inflate(packed, data.size()), data);
}

TEST(ZlibCompress, ZlibReadsBackEveryKindOfInput) {
  ExpectRoundTrip({}, "empty");
  ExpectRoundTrip({42}, "one byte");
  ExpectRoundTrip({7, 7}, "shorter than a match");
  ExpectRoundTrip(Bytes(100000, 0), "one long run, longer than any single match");
  {
    Bytes noise(70000);
    for (std::size_t index = 0; index < noise.size(); ++index) {
      noise[index] = static_cast<std::uint8_t>(PixelHash(static_cast<int>(index), 0, 1));
    }
    ExpectRoundTrip(noise, "noise: literals from every part of the code");
  }
  {
    // A block of noise repeated at the far end of the window, then once more just beyond it.
    Bytes echo(32768 + 300);
    for (std::size_t index = 0; index < echo.size(); ++index) {
      echo[index] = static_cast<std::uint8_t>(PixelHash(static_cast<int>(index % 32768), 0, 2));
    }
    echo.push_back(echo[0]);
    echo.push_back(echo[1]);
    echo.push_back(echo[2]);
    ExpectRoundTrip(echo, "matches at the largest distance");
  }
  {
    Bytes lengths;
    for (int length = 3; length <= 260; ++length) {
      lengths.insert(lengths.end(), static_cast<std::size_t>(length), 'a');
      lengths.push_back(static_cast<std::uint8_t>(length));
    }
    ExpectRoundTrip(lengths, "every match length");
  }
}

TEST(ZlibCompress, ShrinksFlatArtwork) {
  const Bytes flat(256 * 1025, 0x40);
  EXPECT_LT(ZlibCompress(flat).size(), flat.size() / 100);
}

TEST(Adler32, MatchesZlib) {
  {
    const std::string text = "Wikipedia";
    const Bytes bytes(text.begin(), text.end());
    EXPECT_EQ(Adler32(bytes), 0x11E60398u);
  }
  {
    // Long enough for the sums to wrap the modulus many times.
    const Bytes ones(200000, 0xFF);
    EXPECT_EQ(Adler32(ones), adler32(1, ones.data(), static_cast<uInt>(ones.size())));
  }
}

TEST(EncodePng, ZlibReadsTheExactPixelsBack) {
  const RgbaImage icon = PaintIcon(24);
  const Bytes file = EncodePng(icon);
  const Bytes signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  ASSERT_TRUE(std::equal(signature.begin(), signature.end(), file.begin()));

  std::vector<std::string> types;
  Bytes pixelData;
  std::size_t at = 8;
  while (at < file.size()) {
    const std::uint32_t length = ReadBigEndian32(file, at);
    const std::string type(file.begin() + static_cast<std::ptrdiff_t>(at) + 4,
                           file.begin() + static_cast<std::ptrdiff_t>(at) + 8);
    types.push_back(type);
    const std::uint8_t* typeAndData = file.data() + at + 4;
    EXPECT_EQ(ReadBigEndian32(file, at + 8 + length),
              crc32(0, typeAndData, static_cast<uInt>(4 + length)))
        << type << " chunk CRC";
    if (type == "IHDR") {
      ASSERT_EQ(length, 13u);
      EXPECT_EQ(ReadBigEndian32(file, at + 8), 24u);
      EXPECT_EQ(ReadBigEndian32(file, at + 12), 24u);
      EXPECT_EQ(file.at(at + 16), 8) << "bit depth";
      EXPECT_EQ(file.at(at + 17), 6) << "colour type RGBA";
      EXPECT_EQ(file.at(at + 20), 0) << "not interlaced";
    }
    if (type == "IDAT") {
      pixelData.insert(pixelData.end(), typeAndData + 4, typeAndData + 4 + length);
    }
    at += 12 + length;
  }
  EXPECT_EQ(at, file.size());
  EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));

  const Bytes rows = Inflate(pixelData, 24 * (1 + 24 * 4));
  ASSERT_EQ(rows.size(), 24u * (1 + 24 * 4));
  for (int y = 0; y < 24; ++y) {
    const std::size_t rowStart = static_cast<std::size_t>(y) * (1 + 24 * 4);
    ASSERT_EQ(rows[rowStart], 0) << "row " << y << " filter";
    for (int x = 0; x < 24; ++x) {
      const std::size_t pixel = rowStart + 1 + static_cast<std::size_t>(x) * 4;
      const Rgba expected = icon.At(x, y);
      ASSERT_EQ((Rgba{rows[pixel], rows[pixel + 1], rows[pixel + 2], rows[pixel + 3]}), expected)
          << "at " << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace zarvex
