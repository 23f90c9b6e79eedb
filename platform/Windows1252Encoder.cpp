#include "platform/Windows1252Encoder.h"

#include <array>

#include "platform/Utf8.h"

namespace zarvex {

namespace {

// The characters of bytes 0x80 to 0x9F. Windows maps the five bytes the code page leaves
// undefined to the control characters of the same number, and so does this table.
constexpr std::array<char32_t, 32> kHighControlRow = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char ToByte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
    return static_cast<char>(c);
  }
  for (std::size_t i = 0; i < kHighControlRow.size(); ++i) {
    if (kHighControlRow[i] == c) {
      return static_cast<char>(0x80 + i);
    }
  }
  return '?';
}

}  // namespace

std::string Windows1252Encoder::ToFileText(std::string_view utf8) const {
  std::string bytes;
  bytes.reserve(utf8.size());
  std::size_t position = 0;
  while (position < utf8.size()) {
    // Runs of plain ASCII, nearly all of a script, are copied whole.
    const std::size_t run = AsciiPrefixLength(utf8.substr(position));
    bytes.append(utf8, position, run);
    position += run;
    if (position == utf8.size()) {
      break;
    }
    const char32_t c = NextUtf8Char(utf8, position);
    bytes += c == kInvalidUtf8 ? '?' : ToByte(c);
  }
  return bytes;
}

}  // namespace zarvex
