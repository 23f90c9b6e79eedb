// The script area: a plain-text box that reports each change the user makes as a small edit, so a
// keystroke costs the same on a large script as on an empty one, and shows text the editor appends
// or changes without laying out the whole script again. Its undo history is the editor's; the box
// keeps none of its own. Every line break typed is reported as CR LF; pasted text is reported
// exactly as pasted, though each of its breaks shows as a new line, and stays so through undo,
// redo, copy and drag.
#pragma once

#include <QPlainTextEdit>
#include <string>
#include <string_view>
#include <vector>

#include "text/TextEdit.h"
#include "window/qt/EditOrigin.h"

class QDropEvent;
class QKeyEvent;
class QMimeData;
class QMouseEvent;

namespace zarvex {

class ScriptArea : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit ScriptArea(QWidget* parent);

  // Shows text the editor added at the end, then puts the caret and the view at the start. Reports
  // nothing: the editor already holds the text.
  void AppendEditorText(std::string_view utf8);

  // Shows text the editor put in place of the whole script, with the caret and view at the start.
  void ReplaceWithEditorText(std::string_view utf8);

  // Makes a change the editor made (an undo, a deleted word), then puts the caret at `caret` and
  // keeps it in view. Reports nothing.
  void ApplyEditorEdit(std::size_t position, std::size_t removed, std::string_view inserted,
                       std::size_t caret);

  // Makes one CR LF break of each lone CR at these positions and the lone LF after it, last first,
  // as part of the user's last change. Reports nothing: the editor already joined them.
  void JoinBreaks(const std::vector<std::size_t>& positions);

  // The whole text as the editor holds it: UTF-8, every character and line break as given.
  [[nodiscard]] std::string EditorText() const;

 signals:
  // The user changed part of the text.
  void edited(const zarvex::TextEdit& edit);
  // The user's change could not be read as one edit; this is the whole new text.
  void retyped(const std::string& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;
  [[nodiscard]] QMimeData* createMimeDataFromSelection() const override;

 private:
  void ForwardChange(int position, int removed, int added);
  void ShowEditorText(std::string_view utf8, bool append);
  [[nodiscard]] int Length() const;
  [[nodiscard]] QString TextBetween(int from, int to) const;

  // The document's length as last reported, without its closing block end.
  int reportedLength_ = 0;
  bool showingEditorText_ = false;

 public:
  // Where the change under way comes from; the context menu marks its own.
  EditOrigin origin;
};

}  // namespace zarvex
