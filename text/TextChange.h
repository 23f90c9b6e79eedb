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

}  // namespace zarvex
