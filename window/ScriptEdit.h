// One change to the script area as a text widget reports it, so that a keystroke costs the same on
// a large script as on an empty one.
#pragma once

#include <cstddef>
#include <string>

#include "window/ChangeKind.h"

namespace zarvex {

// At `position`, `removed` characters gave way to `inserted` (UTF-8). Positions and counts are in
// the units of the widget that reports them (see TextUnits): UTF-16 code units, with a CR LF pair
// counting as one or as two.
struct ScriptEdit {
  std::size_t position = 0;
  std::size_t removed = 0;
  std::string inserted;
  ChangeKind kind = ChangeKind::kOther;
};

}  // namespace zarvex
