#include "text/TextPositions.h"

#include <algorithm>

#include "platform/Utf8.h"

namespace zarvex {

namespace {

struct Step {
  std::size_t bytes;
  std::size_t positions;
};

// The character that starts at the byte offset.
Step StepForward(std::string_view text, std::size_t offset, TextUnits units) {
  if (units == TextUnits::kLineBreakIsOne && text[offset] == '\r' && offset + 1 < text.size() &&
      text[offset + 1] == '\n') {
    return {2, 1};
  }
  std::size_t next = offset;
  const char32_t c = NextUtf8Char(text, next);
  return {next - offset, c != kInvalidUtf8 && c >= 0x10000 ? 2u : 1u};
}

// The character that ends at the byte offset.
Step StepBack(std::string_view text, std::size_t offset, TextUnits units) {
  if (units == TextUnits::kLineBreakIsOne && text[offset - 1] == '\n' && offset >= 2 &&
      text[offset - 2] == '\r') {
    return {2, 1};
  }
  std::size_t start = offset - 1;
  while (start > 0 && offset - start < 4 && IsUtf8Continuation(text[start])) {
    --start;
  }
  const Step forward = StepForward(text, start, units);
  // Anything that does not decode to a character ending here is a lone invalid byte.
  return start + forward.bytes == offset ? forward : Step{1, 1};
}

}  // namespace

std::size_t TextPositions::ByteOffsetOf(std::string_view text, std::size_t position) {
  if (byteOffset_ > text.size()) {
    Forget();
  }
  // Walk from the remembered pair, or from the start when that is nearer.
  if (position < position_ && position < position_ - position) {
    Forget();
  }
  while (position_ < position && byteOffset_ < text.size()) {
    const Step step = StepForward(text, byteOffset_, units_);
    position_ += step.positions;
    byteOffset_ += step.bytes;
  }
  while (position_ > position && byteOffset_ > 0) {
    const Step step = StepBack(text, byteOffset_, units_);
    position_ -= step.positions;
    byteOffset_ -= step.bytes;
  }
  return byteOffset_;
}

std::size_t TextPositions::PositionOf(std::string_view text, std::size_t byteOffset) {
  byteOffset = std::min(byteOffset, text.size());
  if (byteOffset_ > text.size() ||
      (byteOffset < byteOffset_ && byteOffset < byteOffset_ - byteOffset)) {
    Forget();
  }
  while (byteOffset_ < byteOffset) {
    const Step step = StepForward(text, byteOffset_, units_);
    if (byteOffset_ + step.bytes > byteOffset) {
      break;
    }
    position_ += step.positions;
    byteOffset_ += step.bytes;
  }
  while (byteOffset_ > byteOffset) {
    const Step step = StepBack(text, byteOffset_, units_);
    position_ -= step.positions;
    byteOffset_ -= step.bytes;
  }
  return position_;
}

std::size_t TextPositions::PositionsIn(std::string_view text) const {
  std::size_t positions = 0;
  for (std::size_t offset = 0; offset < text.size();) {
    const Step step = StepForward(text, offset, units_);
    positions += step.positions;
    offset += step.bytes;
  }
  return positions;
}

void TextPositions::Remember(std::size_t position, std::size_t byteOffset) {
  position_ = position;
  byteOffset_ = byteOffset;
}

}  // namespace zarvex
