// Where the change a text box is about to make comes from, as far as the window can tell: keys
// (and input-method commits) unless a paste, a cut, a drop or a menu is under way. The editor
// reads the rest from the change itself.
#pragma once

#include "text/ChangeKind.h"

namespace zarvex {

class EditOrigin {
 public:
  [[nodiscard]] EditSource Now() const { return now_; }

  // Marks the changes made while it lives; origins nest.
  class During {
   public:
    During(EditOrigin& origin, EditSource source) : origin_(origin), outer_(origin.now_) {
      origin.now_ = source;
    }
    ~During() { origin_.now_ = outer_; }
    During(const During&) = delete;
    During& operator=(const During&) = delete;

   private:
    EditOrigin& origin_;
    EditSource outer_;
  };

 private:
  EditSource now_ = EditSource::kKeys;
};

}  // namespace zarvex
