// Which of the window's fields an action changed, so a front end refreshes exactly those.
#pragma once

#include <bitset>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

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

  // Set when an edit of the script area brought a lone CR and a lone LF together, which from then
  // on make one CR LF line break: for each pair, last first, the widget position of the CR, with
  // the edited text counted as the widget holds it, every line break it was given on its own. A
  // view that keeps the two breaks apart joins them, so that it shows what the file will hold.
  std::vector<std::size_t> joinedBreaksAt;

  // Set when the editor changed part of a text box's text itself (an undo or redo, a deleted word,
  // a paste cut at its first line break): the view makes this change in the box, without
  // reporting it back, then puts the caret at `caret` and keeps it in view. Positions are the
  // box's own (see TextUnits).
  struct BoxEdit {
    Control box;
    std::size_t position = 0;
    std::size_t removed = 0;
    std::string inserted;
    std::size_t caret = 0;
  };
  std::optional<BoxEdit> boxEdit;

 private:
  std::bitset<kControlCount> changed_;
};

}  // namespace zarvex
