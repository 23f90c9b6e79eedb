// One change to the script area as a text widget reports it, so that a keystroke costs the same on
// a large script as on an empty one.
#pragma once

#include <cstddef>
#include <string>

namespace zarvex {

// At `position`, `removed` characters gave way to `inserted` (UTF-8). Positions and counts are in
// the units text widgets use: UTF-16 code units, with each line break (CR LF, or a lone CR or LF)
// counting as one.
struct ScriptEdit {
  std::size_t position = 0;
  std::size_t removed = 0;
  std::string inserted;
};

}  // namespace zarvex
