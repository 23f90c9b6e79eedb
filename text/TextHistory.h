// The undo and redo history of one text box, kept by the editor rather than by a toolkit, so that
// both windows take back the same steps. It holds the changes, not copies of the text, and forgets
// its oldest steps past a limit of steps or of bytes held; the newest step always stays.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string_view>

#include "text/ChangeKind.h"
#include "text/TextChange.h"

namespace zarvex {

class TextHistory {
 public:
  static constexpr std::size_t kMaxSteps = 1000;
  static constexpr std::size_t kMaxBytes = 32u << 20;

  // What Undo or Redo gives back: the change to make to the text as it is now. It views the
  // history's own text, valid until the history changes next.
  struct StepView {
    std::size_t offset = 0;
    std::string_view removed;
    std::string_view inserted;
    ChangeKind kind = ChangeKind::kOwnStep;
  };

  // Records a change just made to the text, joining the step before when both are typing, or
  // both deletions, one following the other. Clears what could be redone, unless the change left
  // the text as it was: that is no step at all.
  void Record(TextChange change, ChangeKind kind);

  [[nodiscard]] std::optional<StepView> Undo();
  [[nodiscard]] std::optional<StepView> Redo();
  [[nodiscard]] bool CanUndo() const { return !done_.empty(); }
  [[nodiscard]] bool CanRedo() const { return !undone_.empty(); }
  void Clear();

 private:
  struct Step {
    TextChange change;
    ChangeKind kind = ChangeKind::kOwnStep;
  };

  // Adds the change to the last step when it carries on the same row of typing or deletions.
  bool ExtendLastStep(const TextChange& change, ChangeKind kind);
  void DropOldest();
  // Moves the last step of one list, text and all, to the end of the other.
  const Step* MoveLast(std::deque<Step>& from, std::deque<Step>& to);

  std::deque<Step> done_;
  std::deque<Step> undone_;
  std::size_t bytes_ = 0;
  // False once the last step was undone or redone: a change after that starts a new one.
  bool lastStepOpen_ = false;
};

}  // namespace zarvex
