#include "text/TextHistory.h"

#include <utility>

namespace zarvex {

namespace {

std::size_t BytesOf(const TextChange& change) {
  return change.removed.size() + change.inserted.size();
}

}  // namespace

void TextHistory::Record(TextChange change, ChangeKind kind) {
  if (change.removed == change.inserted) {
    return;
  }
  for (const Step& step : undone_) {
    bytes_ -= BytesOf(step.change);
  }
  undone_.clear();
  if (!ExtendLastStep(change, kind)) {
    bytes_ += BytesOf(change);
    done_.push_back({std::move(change), kind});
  }
  lastStepOpen_ = true;
  DropOldest();
}

bool TextHistory::ExtendLastStep(const TextChange& change, ChangeKind kind) {
  if (!lastStepOpen_ || done_.empty() || done_.back().kind != kind) {
    return false;
  }
  TextChange& last = done_.back().change;
  if (kind == ChangeKind::kTyping) {
    // Typing over a selection starts a row; the characters after it follow on.
    if (!change.removed.empty() || change.offset != last.offset + last.inserted.size()) {
      return false;
    }
    last.inserted += change.inserted;
  } else if (kind != ChangeKind::kDeletion || !last.inserted.empty()) {
    return false;
  } else if (change.offset + change.removed.size() == last.offset) {
    // Backspace: the removed character stood before the ones removed so far.
    last.removed.insert(0, change.removed);
    last.offset = change.offset;
  } else if (change.offset == last.offset) {
    // Delete: it stood after them.
    last.removed += change.removed;
  } else {
    return false;
  }
  bytes_ += BytesOf(change);
  return true;
}

void TextHistory::DropOldest() {
  while (done_.size() > 1 && (done_.size() > kMaxSteps || bytes_ > kMaxBytes)) {
    bytes_ -= BytesOf(done_.front().change);
    done_.pop_front();
  }
}

std::optional<TextHistory::StepView> TextHistory::Undo() {
  const Step* step = MoveLast(done_, undone_);
  if (step == nullptr) {
    return std::nullopt;
  }
  // Taking a change back puts its removed text where its inserted text is.
  return StepView{step->change.offset, step->change.inserted, step->change.removed, step->kind};
}

std::optional<TextHistory::StepView> TextHistory::Redo() {
  const Step* step = MoveLast(undone_, done_);
  if (step == nullptr) {
    return std::nullopt;
  }
  return StepView{step->change.offset, step->change.removed, step->change.inserted, step->kind};
}

const TextHistory::Step* TextHistory::MoveLast(std::deque<Step>& from, std::deque<Step>& to) {
  lastStepOpen_ = false;
  if (from.empty()) {
    return nullptr;
  }
  to.push_back(std::move(from.back()));
  from.pop_back();
  return &to.back();
}

void TextHistory::Clear() {
  done_.clear();
  undone_.clear();
  bytes_ = 0;
  lastStepOpen_ = false;
}

}  // namespace zarvex
