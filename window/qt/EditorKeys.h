// The editing keys whose rule the editor keeps, not the toolkit, so that both windows agree: undo
// and redo (keys and context menu), deleting and moving by words, and in a one-line box Up and
// Down moving the caret as Left and Right do. Installed on every text box; other keys pass on.
#pragma once

#include <QObject>
#include <cstddef>
#include <functional>

class QContextMenuEvent;
class QKeyEvent;

namespace zarvex {

// What a text box asks of the editor. Positions are the box's own.
struct EditorKeyActions {
  std::function<void()> undo;
  std::function<void()> redo;
  std::function<bool()> canUndo;
  std::function<bool()> canRedo;
  std::function<void(std::size_t anchor, std::size_t caret, bool forward)> deleteWord;
  std::function<std::size_t(std::size_t position, bool forward)> wordStop;
};

class EditorKeys : public QObject {
 public:
  // Watches the box (a QLineEdit or a QPlainTextEdit), which becomes this filter's parent.
  static void Install(QWidget& box, EditorKeyActions actions);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  EditorKeys(QWidget& box, EditorKeyActions actions);
  bool OnKey(QWidget& box, const QKeyEvent& key);
  bool OnContextMenu(QWidget& box, const QContextMenuEvent& event);

  QWidget& box_;
  EditorKeyActions actions_;
};

}  // namespace zarvex
