// Maps a text widget's character positions in the script to byte offsets in its UTF-8 text. It
// remembers the last position it mapped, so edits close to each other (typing) cost only the
// distance between them, not the length of the script.
#pragma once

#include <cstddef>
#include <string_view>

namespace zarvex {

// How a text widget counts positions: UTF-16 code units, with a CR LF pair either one position
// (a Qt document, where every line break is one) or two (a Windows edit box, which holds the raw
// characters).
enum class TextUnits { kLineBreakIsOne, kCodeUnits };

class TextPositions {
 public:
  explicit TextPositions(TextUnits units = TextUnits::kLineBreakIsOne) : units_(units) {}

  // The byte offset of the widget position; positions past the end give the text's length, and a
  // position between the halves of a surrogate pair gives the pair's start.
  [[nodiscard]] std::size_t ByteOffsetOf(std::string_view text, std::size_t position);

  // The widget position of the byte offset; an offset inside a character gives the character's
  // start.
  [[nodiscard]] std::size_t PositionOf(std::string_view text, std::size_t byteOffset);

  // The widget position the last mapping really reached, after those adjustments.
  [[nodiscard]] std::size_t ReachedPosition() const { return position_; }

  // Records that the widget position lies at the byte offset after an edit of the text.
  void Remember(std::size_t position, std::size_t byteOffset);

  // How many widget positions the text takes on its own.
  [[nodiscard]] std::size_t PositionsIn(std::string_view text) const;

  // Drops what it knows of a text that was replaced whole.
  void Forget() { Remember(0, 0); }

 private:
  TextUnits units_;
  std::size_t position_ = 0;
  std::size_t byteOffset_ = 0;
};

}  // namespace zarvex
