#include "text/ChangeKind.h"

#include <string_view>

#include "platform/Utf8.h"

namespace zarvex {

namespace {

bool IsOneCharacter(std::string_view text) {
  if (text == "\r\n") {
    return true;
  }
  std::size_t next = 0;
  return !text.empty() && NextUtf8Char(text, next) != kInvalidUtf8 && next == text.size();
}

}  // namespace

ChangeKind KindOfChange(const TextChange& change, EditSource source, bool caretAfterInsert) {
  if (source != EditSource::kKeys || !caretAfterInsert) {
    return ChangeKind::kOwnStep;
  }
  if (IsOneCharacter(change.inserted)) {
    return ChangeKind::kTyping;
  }
  if (change.inserted.empty() && IsOneCharacter(change.removed)) {
    return ChangeKind::kDeletion;
  }
  return ChangeKind::kOwnStep;
}

}  // namespace zarvex
