#include "text/WordStops.h"

#include <algorithm>

namespace zarvex {

namespace {

enum class CharClass { kBreak, kBlank, kWord, kSign };

CharClass ClassOf(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (c == '\r' || c == '\n') {
    return CharClass::kBreak;
  }
  if (c == ' ' || c == '\t') {
    return CharClass::kBlank;
  }
  // Bytes of UTF-8 sequences count as letters, so a word with accents is one word.
  if (byte >= 0x80 || c == '_' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
      (c >= 'A' && c <= 'Z')) {
    return CharClass::kWord;
  }
  return CharClass::kSign;
}

}  // namespace

std::size_t WordStopBefore(std::string_view text, std::size_t offset) {
  offset = std::min(offset, text.size());
  if (offset > 0 && ClassOf(text[offset - 1]) == CharClass::kBreak) {
    const bool crLf = offset >= 2 && text[offset - 1] == '\n' && text[offset - 2] == '\r';
    return offset - (crLf ? 2 : 1);
  }
  while (offset > 0 && ClassOf(text[offset - 1]) == CharClass::kBlank) {
    --offset;
  }
  if (offset == 0 || ClassOf(text[offset - 1]) == CharClass::kBreak) {
    return offset;
  }
  const CharClass run = ClassOf(text[offset - 1]);
  while (offset > 0 && ClassOf(text[offset - 1]) == run) {
    --offset;
  }
  return offset;
}

std::size_t WordStopAfter(std::string_view text, std::size_t offset) {
  offset = std::min(offset, text.size());
  if (offset < text.size() && ClassOf(text[offset]) == CharClass::kBreak) {
    const bool crLf = text[offset] == '\r' && offset + 1 < text.size() && text[offset + 1] == '\n';
    return offset + (crLf ? 2 : 1);
  }
  if (offset < text.size() && ClassOf(text[offset]) != CharClass::kBlank) {
    const CharClass run = ClassOf(text[offset]);
    while (offset < text.size() && ClassOf(text[offset]) == run) {
      ++offset;
    }
  }
  while (offset < text.size() && ClassOf(text[offset]) == CharClass::kBlank) {
    ++offset;
  }
  return offset;
}

}  // namespace zarvex
