#include "window/qt/EditorKeys.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <algorithm>
#include <memory>
#include <utility>

namespace zarvex {

namespace {

struct Selection {
  std::size_t anchor;
  std::size_t caret;
};

Selection SelectionOf(QWidget& box) {
  if (auto* line = qobject_cast<QLineEdit*>(&box)) {
    const int caret = line->cursorPosition();
    int anchor = caret;
    if (line->hasSelectedText()) {
      const int start = line->selectionStart();
      anchor = caret == start ? start + line->selectionLength() : start;
    }
    return {static_cast<std::size_t>(anchor), static_cast<std::size_t>(caret)};
  }
  const QTextCursor cursor = static_cast<QPlainTextEdit&>(box).textCursor();
  return {static_cast<std::size_t>(cursor.anchor()), static_cast<std::size_t>(cursor.position())};
}

void MoveCaret(QWidget& box, std::size_t to, bool extend) {
  const int target = static_cast<int>(to);
  if (auto* line = qobject_cast<QLineEdit*>(&box)) {
    const int steps = target - line->cursorPosition();
    if (steps >= 0) {
      line->cursorForward(extend, steps);
    } else {
      line->cursorBackward(extend, -steps);
    }
    return;
  }
  auto& area = static_cast<QPlainTextEdit&>(box);
  QTextCursor cursor = area.textCursor();
  cursor.setPosition(target, extend ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
  area.setTextCursor(cursor);
}

bool IsRedo(const QKeyEvent& key) {
  // Ctrl+Y as on Windows, Ctrl+Shift+Z as on Linux desktops: both, in both windows.
  const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
  return key.matches(QKeySequence::Redo) ||
         (key.key() == Qt::Key_Y && mods == Qt::ControlModifier) ||
         (key.key() == Qt::Key_Z && mods == (Qt::ControlModifier | Qt::ShiftModifier));
}

// Alt+Backspace is the Windows edit box's own undo key: both windows take it too.
bool IsUndo(const QKeyEvent& key) {
  const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
  return key.matches(QKeySequence::Undo) ||
         (key.key() == Qt::Key_Backspace && mods == Qt::AltModifier);
}

}  // namespace

void EditorKeys::Install(QWidget& box, EditorKeyActions actions) {
  auto* keys = new EditorKeys(box, std::move(actions));
  box.installEventFilter(keys);
  // A scroll area gets its context menu through its viewport.
  if (auto* area = qobject_cast<QAbstractScrollArea*>(&box)) {
    area->viewport()->installEventFilter(keys);
  }
}

EditorKeys::EditorKeys(QWidget& box, EditorKeyActions actions)
    : QObject(&box), box_(box), actions_(std::move(actions)) {}

bool EditorKeys::eventFilter(QObject* /*watched*/, QEvent* event) {
  QWidget& box = box_;
  switch (event->type()) {
    case QEvent::ShortcutOverride:
      // Claimed here, these keys reach the box as key presses, whatever a menu binds to them.
      if (IsRedo(*static_cast<QKeyEvent*>(event)) || IsUndo(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
      }
      return false;
    case QEvent::KeyPress:
      return OnKey(box, *static_cast<QKeyEvent*>(event));
    case QEvent::ContextMenu:
      return OnContextMenu(box, *static_cast<QContextMenuEvent*>(event));
    default:
      return false;
  }
}

bool EditorKeys::OnKey(QWidget& box, const QKeyEvent& key) {
  if (IsRedo(key)) {
    actions_.redo();
    return true;
  }
  if (IsUndo(key)) {
    actions_.undo();
    return true;
  }
  const Selection selection = SelectionOf(box);
  if (key.matches(QKeySequence::DeleteStartOfWord) || key.matches(QKeySequence::DeleteEndOfWord)) {
    actions_.deleteWord(selection.anchor, selection.caret,
                        key.matches(QKeySequence::DeleteEndOfWord));
    return true;
  }
  const bool back = key.matches(QKeySequence::MoveToPreviousWord) ||
                    key.matches(QKeySequence::SelectPreviousWord);
  if (back || key.matches(QKeySequence::MoveToNextWord) ||
      key.matches(QKeySequence::SelectNextWord)) {
    const bool extend =
        key.matches(QKeySequence::SelectPreviousWord) || key.matches(QKeySequence::SelectNextWord);
    MoveCaret(box, actions_.wordStop(selection.caret, !back), extend);
    return true;
  }
  if (qobject_cast<QLineEdit*>(&box) != nullptr &&
      (key.key() == Qt::Key_Up || key.key() == Qt::Key_Down)) {
    // A one-line box has no line above or below: Up and Down go back and on by one character.
    QKeyEvent sideways(QEvent::KeyPress, key.key() == Qt::Key_Up ? Qt::Key_Left : Qt::Key_Right,
                       key.modifiers());
    QCoreApplication::sendEvent(&box, &sideways);
    return true;
  }
  return false;
}

bool EditorKeys::OnContextMenu(QWidget& box, const QContextMenuEvent& event) {
  std::unique_ptr<QMenu> menu;
  if (auto* line = qobject_cast<QLineEdit*>(&box)) {
    menu.reset(line->createStandardContextMenu());
  } else {
    menu.reset(static_cast<QPlainTextEdit&>(box).createStandardContextMenu(event.pos()));
  }
  // The menu's Undo and Redo, its first two entries in an editable box, take the editor's steps,
  // as the keys do.
  const QList<QAction*> entries = menu->actions();
  for (int entry = 0; entry < std::min<int>(2, static_cast<int>(entries.size())); ++entry) {
    QAction* action = entries[entry];
    const bool undo = entry == 0;
    disconnect(action, &QAction::triggered, nullptr, nullptr);
    action->setEnabled(undo ? actions_.canUndo() : actions_.canRedo());
    connect(action, &QAction::triggered, this, undo ? actions_.undo : actions_.redo);
  }
  menu->exec(event.globalPos());
  return true;
}

}  // namespace zarvex
