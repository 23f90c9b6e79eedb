#include "window/qt/ScriptArea.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace zarvex {

namespace {

// The document keeps every line break as one block separator, which shows as a new line. A break
// given as a lone CR or a lone LF keeps its character in the separator's format, which undo and
// redo restore with it; a separator without it stands for CR LF.
constexpr int kLoneBreak = QTextFormat::UserProperty + 1;

QTextCharFormat WithLoneBreak(QTextCharFormat format, QChar lone) {
  if (lone.isNull()) {
    format.clearProperty(kLoneBreak);
  } else {
    format.setProperty(kLoneBreak, QString(lone));
  }
  return format;
}

// The line break that ends the block; a block's character format is its separator's.
QString BreakAfter(const QTextBlock& block) {
  const QString lone = block.next().charFormat().stringProperty(kLoneBreak);
  return lone.isEmpty() ? QStringLiteral("\r\n") : lone;
}

// Inserts the text with its CR LF pairs as plain breaks and each lone CR or LF as a break that
// remembers it.
void InsertAsGiven(QTextCursor& cursor, const QString& text) {
  const QTextCharFormat plain = WithLoneBreak(cursor.charFormat(), {});
  qsizetype runStart = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      ++i;
    } else if (c == u'\r' || c == u'\n') {
      cursor.insertText(text.mid(runStart, i - runStart), plain);
      cursor.insertBlock(cursor.blockFormat(), WithLoneBreak(plain, c));
      runStart = i + 1;
    }
  }
  cursor.insertText(text.mid(runStart), plain);
}

}  // namespace

ScriptArea::ScriptArea(QWidget* parent) : QPlainTextEdit(parent) {
  setTabChangesFocus(true);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  // A long word wraps too; there is no horizontal scroll bar to reach the rest of it.
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  setUndoRedoEnabled(false);
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
  if (!append) {
    setPlainText(QString());
  }
  // Inserting at the end lays out only the new lines; setPlainText would redo the whole script.
  QTextCursor end(document());
  end.movePosition(QTextCursor::End);
  InsertAsGiven(end, text);
  showingEditorText_ = false;
  reportedLength_ = Length();
  setTextCursor(QTextCursor(document()));
  verticalScrollBar()->setValue(verticalScrollBar()->minimum());
}

void ScriptArea::ApplyEditorEdit(std::size_t position, std::size_t removed,
                                 std::string_view inserted, std::size_t caret) {
  showingEditorText_ = true;
  QTextCursor cursor(document());
  cursor.setPosition(static_cast<int>(position));
  cursor.setPosition(static_cast<int>(position + removed), QTextCursor::KeepAnchor);
  cursor.beginEditBlock();
  cursor.removeSelectedText();
  InsertAsGiven(cursor,
                QString::fromUtf8(inserted.data(), static_cast<qsizetype>(inserted.size())));
  cursor.endEditBlock();
  showingEditorText_ = false;
  reportedLength_ = Length();
  cursor.setPosition(static_cast<int>(caret));
  setTextCursor(cursor);
  ensureCursorVisible();
}

std::string ScriptArea::EditorText() const {
  return TextBetween(0, Length()).toStdString();
}

void ScriptArea::JoinBreaks(const std::vector<std::size_t>& positions) {
  showingEditorText_ = true;
  QTextCursor join(document());
  join.beginEditBlock();
  for (const std::size_t position : positions) {
    join.setPosition(static_cast<int>(position));
    join.setPosition(static_cast<int>(position) + 2, QTextCursor::KeepAnchor);
    join.insertBlock(join.blockFormat(), WithLoneBreak(join.charFormat(), {}));
  }
  join.endEditBlock();
  showingEditorText_ = false;
  reportedLength_ = Length();
}

void ScriptArea::keyPressEvent(QKeyEvent* event) {
  const bool cut = event->matches(QKeySequence::Cut) ||
                   (event->key() == Qt::Key_Delete && event->modifiers() == Qt::ShiftModifier);
  const EditOrigin::During key(origin, cut ? EditSource::kCut : EditSource::kKeys);
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    // Shift+Enter would insert a line separator, which the script file cannot hold; every Enter
    // starts a new line, CR LF even at the start of a line that a lone break began.
    QTextCursor cursor = textCursor();
    cursor.insertBlock(cursor.blockFormat(), WithLoneBreak(cursor.charFormat(), {}));
    setTextCursor(cursor);
    ensureCursorVisible();
    event->accept();
  } else {
    QPlainTextEdit::keyPressEvent(event);
  }
}

void ScriptArea::dropEvent(QDropEvent* event) {
  const EditOrigin::During drop(origin, EditSource::kDrop);
  QPlainTextEdit::dropEvent(event);
}

void ScriptArea::mouseMoveEvent(QMouseEvent* event) {
  // A drag starts here, and a drag that moves the text out removes it when it ends.
  const EditOrigin::During drag(origin, EditSource::kDrop);
  QPlainTextEdit::mouseMoveEvent(event);
}

void ScriptArea::insertFromMimeData(const QMimeData* source) {
  if (source == nullptr || !source->hasText() || isReadOnly()) {
    return;
  }
  // A paste by key, menu or middle button; a drop says so itself.
  const EditOrigin::During paste(
      origin, origin.Now() == EditSource::kDrop ? EditSource::kDrop : EditSource::kPaste);
  QTextCursor cursor = textCursor();
  cursor.beginEditBlock();
  cursor.removeSelectedText();
  InsertAsGiven(cursor, source->text());
  cursor.endEditBlock();
  setTextCursor(cursor);
  ensureCursorVisible();
}

QMimeData* ScriptArea::createMimeDataFromSelection() const {
  // Copied or dragged text keeps its line breaks as they are, not as the document's new lines.
  auto* copied = new QMimeData;
  const QTextCursor selection = textCursor();
  copied->setText(TextBetween(selection.selectionStart(), selection.selectionEnd()));
  return copied;
}

int ScriptArea::Length() const {
  return document()->characterCount() - 1;
}

QString ScriptArea::TextBetween(int from, int to) const {
  // Block by block: the raw characters (toPlainText would turn a no-break space into a space) and
  // each line break as given.
  QString text;
  for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() < to;
       block = block.next()) {
    const int start = std::max(from, block.position());
    const int separator = block.position() + block.length() - 1;
    text += block.text().mid(start - block.position(), std::min(to, separator) - start);
    if (separator < to && block.next().isValid()) {
      text += BreakAfter(block);
    }
  }
  return text;
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
  emit edited(TextEdit{static_cast<std::size_t>(position), static_cast<std::size_t>(removed),
                       TextBetween(position, position + added).toStdString(),
                       static_cast<std::size_t>(textCursor().position()), origin.Now()});
}

}  // namespace zarvex
