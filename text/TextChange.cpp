#include "text/TextChange.h"

#include <algorithm>

#include "platform/Utf8.h"

namespace zarvex {

namespace {

// Whether a cut at `at` would split a character or a CR LF line break.
bool SplitsCharacter(std::string_view text, std::size_t at) {
  return at > 0 && at < text.size() &&
         (IsUtf8Continuation(text[at]) || (text[at - 1] == '\r' && text[at] == '\n'));
}

}  // namespace

std::size_t TrimToDifference(TextChange& change) {
  const std::string_view removed = change.removed;
  const std::string_view inserted = change.inserted;
  const std::size_t shorter = std::min(removed.size(), inserted.size());
  std::size_t front = 0;
  while (front < shorter && removed[front] == inserted[front]) {
    ++front;
  }
  while (front > 0 && (SplitsCharacter(removed, front) || SplitsCharacter(inserted, front))) {
    --front;
  }
  std::size_t back = 0;
  while (back < shorter - front &&
         removed[removed.size() - 1 - back] == inserted[inserted.size() - 1 - back]) {
    ++back;
  }
  while (back > 0 && (SplitsCharacter(removed, removed.size() - back) ||
                      SplitsCharacter(inserted, inserted.size() - back))) {
    --back;
  }
  change.removed = change.removed.substr(front, removed.size() - front - back);
  change.inserted = change.inserted.substr(front, inserted.size() - front - back);
  change.offset += front;
  return front;
}

}  // namespace zarvex
