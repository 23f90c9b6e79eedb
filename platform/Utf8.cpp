#include "platform/Utf8.h"

#include <cstdint>
#include <cstring>

namespace zarvex {

std::size_t AsciiPrefixLength(std::string_view text) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  std::size_t offset = 0;
  for (; offset + sizeof kHighBits <= text.size(); offset += sizeof kHighBits) {
    std::uint64_t word = 0;
    std::memcpy(&word, text.data() + offset, sizeof word);
    if ((word & kHighBits) != 0) {
      break;
    }
  }
  while (offset < text.size() && static_cast<unsigned char>(text[offset]) < 0x80) {
    ++offset;
  }
  return offset;
}

char32_t NextUtf8Char(std::string_view text, std::size_t& position) {
  const auto lead = static_cast<unsigned char>(text[position]);
  ++position;
  if (lead < 0x80) {
    return lead;
  }
  std::size_t length = 0;
  char32_t value = 0;
  char32_t smallest = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 1;
    value = lead & 0x1Fu;
    smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 2;
    value = lead & 0x0Fu;
    smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 3;
    value = lead & 0x07u;
    smallest = 0x10000;
  } else {
    return kInvalidUtf8;
  }
  if (text.size() - position < length) {
    return kInvalidUtf8;
  }
  for (std::size_t i = 0; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[position + i]);
    if (!IsUtf8Continuation(static_cast<char>(byte))) {
      return kInvalidUtf8;
    }
    value = (value << 6) | (byte & 0x3Fu);
  }
  if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    return kInvalidUtf8;
  }
  position += length;
  return value;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string Utf8PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

}  // namespace zarvex
