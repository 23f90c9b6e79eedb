// The undo and redo history of one text box, kept by the editor rather than by a toolkit, so that
// both windows take back the same steps. It holds the changes, not copies of the text, and forgets
// its oldest steps past a limit of steps or of bytes held.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "window/ChangeKind.h"

namespace zarvex {

// One change of a text, in bytes of its UTF-8.
struct TextChange {
  std::size_t offset = 0;
  std::string removed;
  std::string inserted;
};

class TextHistory {
 public:
  static constexpr std::size_t kMaxSteps = 1000;
  static constexpr std::size_t kMaxBytes = 32u << 20;

  // The step that Undo or Redo gives back: the change to make to the text as it is now.
  struct Step {
    TextChange change;
    ChangeKind kind = ChangeKind::kOther;
  };

  // Records a change just made to the text. Clears what could be redone.
  void Record(TextChange change, ChangeKind kind);

  // Typing after this starts a new step, as after the caret moved elsewhere.
  void EndTyping() { typingOpen_ = false; }

  [[nodiscard]] std::optional<Step> Undo();
  [[nodiscard]] std::optional<Step> Redo();
  [[nodiscard]] bool CanUndo() const { return !done_.empty(); }
  [[nodiscard]] bool CanRedo() const { return !undone_.empty(); }
  void Clear();

  [[nodiscard]] std::size_t BytesHeld() const { return bytes_; }

 private:
  bool JoinsLastStep(const TextChange& change, ChangeKind kind);
  void DropOldest();
  // Moves the last step of one list to the end of the other and gives back a copy of it.
  std::optional<Step> MoveLast(std::deque<Step>& from, std::deque<Step>& to);

  std::deque<Step> done_;
  std::deque<Step> undone_;
  std::size_t bytes_ = 0;
  bool typingOpen_ = false;
};

}  // namespace zarvex
