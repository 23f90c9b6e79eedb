#include "window/qt/ScriptArea.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace zarvex {

namespace {

// The document keeps each line break as one block separator; the editor's text keeps CR LF.
std::string ToEditorText(QString text) {
  text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  return text.toStdString();
}

// How many characters the document makes of text inserted into it: a CR LF pair is one break.
int DocumentLengthOf(const QString& text) {
  return static_cast<int>(text.size() - text.count(QStringLiteral("\r\n")));
}

}  // namespace

ScriptArea::ScriptArea(QWidget* parent) : QPlainTextEdit(parent) {
  setTabChangesFocus(true);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  // A long word wraps too; there is no horizontal scroll bar to reach the rest of it.
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  connect(document(), &QTextDocument::contentsChange, this, &ScriptArea::ForwardChange);
}

void ScriptArea::AppendEditorText(std::string_view utf8) {
  ShowEditorText(utf8, true);
}

void ScriptArea::ReplaceWithEditorText(std::string_view utf8) {
  ShowEditorText(utf8, false);
}

void ScriptArea::ShowEditorText(std::string_view utf8, bool append) {
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  showingEditorText_ = true;
  if (append) {
    // Inserting at the end lays out only the new lines; setPlainText would redo the whole script.
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
  } else {
    setPlainText(text);
  }
  showingEditorText_ = false;
  reportedLength_ = Length();
  setTextCursor(QTextCursor(document()));
  verticalScrollBar()->setValue(verticalScrollBar()->minimum());
}

std::string ScriptArea::EditorText() const {
  return ToEditorText(document()->toRawText());
}

void ScriptArea::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    // Shift+Enter would insert a line separator, which the script file cannot hold; every Enter
    // starts a new line.
    QKeyEvent plainEnter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QPlainTextEdit::keyPressEvent(&plainEnter);
    event->setAccepted(plainEnter.isAccepted());
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void ScriptArea::insertFromMimeData(const QMimeData* source) {
  if (source == nullptr || !source->hasText() || isReadOnly()) {
    return;
  }
  // The document turns every break into its own block separator, so the text read back from it
  // would have CR LF for a pasted lone LF or CR. The controller counts either as one position,
  // as the document does, so the pasted text goes to it unchanged.
  const QString text = source->text();
  insertingAsGiven_ = &text;
  insertPlainText(text);
  insertingAsGiven_ = nullptr;
  ensureCursorVisible();
}

int ScriptArea::Length() const {
  return document()->characterCount() - 1;
}

std::string ScriptArea::TextBetween(int from, int to) const {
  QTextCursor range(document());
  range.setPosition(from);
  range.setPosition(to, QTextCursor::KeepAnchor);
  // selectedText keeps the raw characters; toPlainText would turn a no-break space into a space.
  return ToEditorText(range.selectedText());
}

void ScriptArea::ForwardChange(int position, int removed, int added) {
  if (showingEditorText_) {
    return;
  }
  const int length = Length();
  // A change reported across the document's closing block end counts it on both sides; that end
  // is no character of the script.
  const int beyondEnd = std::max(0, position + added - length);
  added -= beyondEnd;
  removed = std::max(0, removed - beyondEnd);
  if (position < 0 || added < 0 || position > reportedLength_ ||
      reportedLength_ - std::min(removed, reportedLength_ - position) + added != length) {
    // Not one edit of the text last reported: hand over the whole text rather than guess.
    reportedLength_ = length;
    emit retyped(EditorText());
    return;
  }
  removed = std::min(removed, reportedLength_ - position);
  reportedLength_ = length;
  // Pasted text goes on as given when the change is the whole of it; anything else is read back.
  const bool asGiven =
      insertingAsGiven_ != nullptr && added == DocumentLengthOf(*insertingAsGiven_);
  emit edited(ScriptEdit{
      static_cast<std::size_t>(position), static_cast<std::size_t>(removed),
      asGiven ? insertingAsGiven_->toStdString() : TextBetween(position, position + added)});
  if (asGiven) {
    insertingAsGiven_ = nullptr;
  }
}

}  // namespace zarvex
