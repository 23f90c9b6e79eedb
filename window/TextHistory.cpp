#include "window/TextHistory.h"

#include <utility>

namespace zarvex {

namespace {

std::size_t BytesOf(const TextHistory::Step& step) {
  return step.change.removed.size() + step.change.inserted.size();
}

TextChange Inverse(const TextChange& change) {
  return {change.offset, change.inserted, change.removed};
}

}  // namespace

void TextHistory::Record(TextChange change, ChangeKind kind) {
  if (change.removed.empty() && change.inserted.empty()) {
    return;
  }
  for (const Step& step : undone_) {
    bytes_ -= BytesOf(step);
  }
  undone_.clear();
  if (!JoinsLastStep(change, kind)) {
    bytes_ += change.removed.size() + change.inserted.size();
    done_.push_back({std::move(change), kind});
  }
  typingOpen_ = kind == ChangeKind::kTyped || kind == ChangeKind::kDeletedKey;
  DropOldest();
}

bool TextHistory::JoinsLastStep(const TextChange& change, ChangeKind kind) {
  if (!typingOpen_ || done_.empty() || done_.back().kind != kind) {
    return false;
  }
  TextChange& last = done_.back().change;
  if (kind == ChangeKind::kTyped) {
    if (!change.removed.empty() || change.offset != last.offset + last.inserted.size()) {
      return false;
    }
    last.inserted += change.inserted;
  } else if (!change.inserted.empty() || !last.inserted.empty()) {
    return false;
  } else if (change.offset + change.removed.size() == last.offset) {
    // Backspace: the removed character stood before the ones removed so far.
    last.removed.insert(0, change.removed);
    last.offset = change.offset;
  } else if (change.offset == last.offset) {
    last.removed += change.removed;
  } else {
    return false;
  }
  bytes_ += change.removed.size() + change.inserted.size();
  return true;
}

void TextHistory::DropOldest() {
  while (!done_.empty() && (done_.size() > kMaxSteps || bytes_ > kMaxBytes)) {
    bytes_ -= BytesOf(done_.front());
    done_.pop_front();
  }
}

std::optional<TextHistory::Step> TextHistory::Undo() {
  auto step = MoveLast(done_, undone_);
  if (step) {
    step->change = Inverse(step->change);
  }
  return step;
}

std::optional<TextHistory::Step> TextHistory::Redo() {
  return MoveLast(undone_, done_);
}

std::optional<TextHistory::Step> TextHistory::MoveLast(std::deque<Step>& from,
                                                       std::deque<Step>& to) {
  typingOpen_ = false;
  if (from.empty()) {
    return std::nullopt;
  }
  to.push_back(std::move(from.back()));
  from.pop_back();
  return to.back();
}

void TextHistory::Clear() {
  done_.clear();
  undone_.clear();
  bytes_ = 0;
  typingOpen_ = false;
}

}  // namespace zarvex
