// The editing keys, kept to the README's key table so that both windows agree: the editor takes
// undo and redo (keys and context menu), deleting and moving by words; in a one-line box Up and
// Down move the caret as Left and Right do; Ctrl+Tab moves the focus as Tab does. Any other key
// held with Ctrl, Alt or Meta, and the keys Qt binds to editing beyond the table (Ctrl+K,
// Ctrl+U, F18...), change nothing. Installed on every text box; other keys pass on.
#pragma once

#include <QObject>
#include <functional>

#include "text/TextEdit.h"
#include "window/qt/EditOrigin.h"

class QContextMenuEvent;
class QKeyEvent;

namespace zarvex {

// What a text box asks of the editor. Positions are the box's own.
struct EditorKeyActions {
  std::function<void()> undo;
  std::function<void()> redo;
  std::function<bool()> canUndo;
  std::function<bool()> canRedo;
  std::function<void(TextSelection selection, bool forward)> deleteWord;
  std::function<TextSelection(TextSelection selection, bool forward, bool extend)> moveByWord;
};

class EditorKeys : public QObject {
 public:
  // Watches the box (a QLineEdit or a QPlainTextEdit), which becomes this filter's parent. The
  // box's origin marks what its context menu changes.
  static void Install(QWidget& box, EditOrigin& origin, EditorKeyActions actions);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  EditorKeys(QWidget& box, EditOrigin& origin, EditorKeyActions actions);
  bool OnKey(QWidget& box, const QKeyEvent& key);
  bool OnContextMenu(QWidget& box, const QContextMenuEvent& event);

  QWidget& box_;
  EditOrigin& origin_;
  EditorKeyActions actions_;
};

}  // namespace zarvex
