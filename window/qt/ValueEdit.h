// A value box: a one-line box that reports each change the user makes as one edit with its caret,
// as the script area does, so that the editor decides its undo steps by the same rule. A drop
// into it copies: the text dragged from elsewhere stays where it was.
#pragma once

#include <QLineEdit>
#include <QString>
#include <string>

#include "text/TextEdit.h"
#include "window/qt/EditOrigin.h"

class QDropEvent;
class QKeyEvent;
class QMouseEvent;

namespace zarvex {

class ValueEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit ValueEdit(QWidget* parent);

  // Shows text the editor set. Reports nothing.
  void ShowEditorText(const QString& text);

  // Where the change under way comes from; the context menu marks its own.
  EditOrigin origin;

 signals:
  // The user changed part of the text.
  void edited(const zarvex::TextEdit& edit);
  // The user's change could not be read as one edit; this is the whole new text.
  void retyped(const std::string& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Remember();
  void ForwardChange(const QString& text);

  // The box as the editor last knew it: its text, and where a change would start.
  QString text_;
  int selectionStart_ = 0;
};

}  // namespace zarvex
