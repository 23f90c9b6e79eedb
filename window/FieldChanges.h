// Which of the window's fields an action changed, so a front end refreshes exactly those.
#pragma once

#include <bitset>
#include <cstddef>
#include <optional>

#include "script/Control.h"

namespace zarvex {

class FieldChanges {
 public:
  void Add(Control control) { changed_.set(IndexOf(control)); }
  [[nodiscard]] bool Has(Control control) const { return changed_.test(IndexOf(control)); }
  [[nodiscard]] bool None() const { return changed_.none(); }

  // Set when the script area only grew at its end: the byte offset where the new text begins, so
  // a view can append it instead of laying out the whole script again.
  std::optional<std::size_t> scriptAppendedAt;

 private:
  std::bitset<kControlCount> changed_;
};

}  // namespace zarvex
