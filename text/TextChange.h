// One change of a text, in bytes of its UTF-8: at `offset`, `removed` gave way to `inserted`.
#pragma once

#include <cstddef>
#include <string>

namespace zarvex {

struct TextChange {
  std::size_t offset = 0;
  std::string removed;
  std::string inserted;
};

// Narrows the change to what really differs: a widget may report a whole line replaced by itself
// and one more character, as Qt does for an input-method commit. Never splits a character or a
// CR LF line break. Gives back how many bytes it took off the front.
std::size_t TrimToDifference(TextChange& change);

}  // namespace zarvex
