#include "window/qt/ValueEdit.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <limits>

namespace zarvex {

ValueEdit::ValueEdit(QWidget* parent) : QLineEdit(parent) {
  // QLineEdit would silently cut the text at 32767 characters.
  setMaxLength(std::numeric_limits<int>::max());
  // The box tells of a change before it tells of the caret that moved with it.
  connect(this, &QLineEdit::textEdited, this, &ValueEdit::ForwardChange);
  connect(this, &QLineEdit::selectionChanged, this, &ValueEdit::Remember);
  connect(this, &QLineEdit::cursorPositionChanged, this, &ValueEdit::Remember);
}

void ValueEdit::ShowEditorText(const QString& text) {
  setText(text);
  Remember();
}

void ValueEdit::Remember() {
  text_ = text();
  selectionStart_ = hasSelectedText() ? selectionStart() : cursorPosition();
}

void ValueEdit::ForwardChange(const QString& text) {
  const auto caret = static_cast<std::size_t>(cursorPosition());
  const auto span = EditEndingAtCaret(static_cast<std::size_t>(selectionStart_),
                                      static_cast<std::size_t>(text_.size()), caret,
                                      static_cast<std::size_t>(text.size()));
  const QString before = text_;
  Remember();
  if (span) {
    const auto at = static_cast<qsizetype>(span->position);
    const QString inserted = text.mid(at, static_cast<qsizetype>(span->inserted));
    if (before.left(at) + inserted + before.mid(at + static_cast<qsizetype>(span->removed)) ==
        text) {
      emit edited(
          TextEdit{span->position, span->removed, inserted.toStdString(), caret, origin.Now()});
      return;
    }
  }
  emit retyped(text.toStdString());
}

void ValueEdit::keyPressEvent(QKeyEvent* event) {
  EditSource source = EditSource::kKeys;
  if (event->matches(QKeySequence::Paste) ||
      (event->key() == Qt::Key_Insert && event->modifiers() == Qt::ShiftModifier)) {
    source = EditSource::kPaste;
  } else if (event->matches(QKeySequence::Cut) ||
             (event->key() == Qt::Key_Delete && event->modifiers() == Qt::ShiftModifier)) {
    source = EditSource::kCut;
  }
  const EditOrigin::During key(origin, source);
  QLineEdit::keyPressEvent(event);
}

void ValueEdit::dropEvent(QDropEvent* event) {
  const EditOrigin::During drop(origin, EditSource::kDrop);
  const bool fromElsewhere = event->source() != this;
  QLineEdit::dropEvent(event);
  // Within one window Qt would move the text, and the box keeps only its first line: what came
  // from elsewhere is copied, so nothing is lost.
  if (fromElsewhere && event->isAccepted()) {
    event->setDropAction(Qt::CopyAction);
  }
}

void ValueEdit::mouseReleaseEvent(QMouseEvent* event) {
  // The middle button pastes the primary selection.
  const EditOrigin::During paste(
      origin, event->button() == Qt::MiddleButton ? EditSource::kPaste : origin.Now());
  QLineEdit::mouseReleaseEvent(event);
}

}  // namespace zarvex
