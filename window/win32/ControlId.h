// The Win32 child-window id of each control, derived from its name, and back. Ids start above
// IDOK (1) and IDCANCEL (2): the dialog manager sends those for Enter and Esc, and no control may
// answer to them.
#pragma once

#include <optional>

#include "script/Control.h"

namespace zarvex {

inline constexpr int kFirstControlId = 100;

[[nodiscard]] constexpr int ControlIdOf(Control control) {
  return kFirstControlId + static_cast<int>(IndexOf(control));
}

[[nodiscard]] constexpr std::optional<Control> ControlOfId(int id) {
  if (id < kFirstControlId || id >= kFirstControlId + static_cast<int>(kControlCount)) {
    return std::nullopt;
  }
  return static_cast<Control>(id - kFirstControlId);
}

}  // namespace zarvex
