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
#include <memory>
#include <utility>

namespace zarvex {

namespace {

TextSelection SelectionOf(QWidget& box) {
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

void Select(QWidget& box, TextSelection selection) {
  const int anchor = static_cast<int>(selection.anchor);
  const int caret = static_cast<int>(selection.caret);
  if (auto* line = qobject_cast<QLineEdit*>(&box)) {
    // A negative length leaves the caret at the selection's start.
    line->setSelection(anchor, caret - anchor);
    return;
  }
  auto& area = static_cast<QPlainTextEdit&>(box);
  QTextCursor cursor = area.textCursor();
  cursor.setPosition(anchor);
  cursor.setPosition(caret, QTextCursor::KeepAnchor);
  area.setTextCursor(cursor);
}

Qt::KeyboardModifiers ModifiersOf(const QKeyEvent& key) {
  return key.modifiers() & ~(Qt::KeypadModifier | Qt::GroupSwitchModifier);
}

bool Is(const QKeyEvent& key, Qt::Key which, Qt::KeyboardModifiers modifiers) {
  return key.key() == which && ModifiersOf(key) == modifiers;
}

constexpr Qt::KeyboardModifiers kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;

bool IsUndo(const QKeyEvent& key) {
  return Is(key, Qt::Key_Z, Qt::ControlModifier) || Is(key, Qt::Key_Backspace, Qt::AltModifier);
}

bool IsRedo(const QKeyEvent& key) {
  return Is(key, Qt::Key_Y, Qt::ControlModifier) || Is(key, Qt::Key_Z, kCtrlShift);
}

// Keys with Ctrl in the table that the box handles as Qt does.
bool IsTableCtrlKey(const QKeyEvent& key) {
  const Qt::KeyboardModifiers mods = ModifiersOf(key);
  switch (key.key()) {
    case Qt::Key_A:
    case Qt::Key_C:
    case Qt::Key_V:
    case Qt::Key_X:
    case Qt::Key_Insert:
      return mods == Qt::ControlModifier;
    case Qt::Key_Home:
    case Qt::Key_End:
      return mods == Qt::ControlModifier || mods == kCtrlShift;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // A line break however it is typed.
      return true;
    default:
      return false;
  }
}

// Keys without Ctrl, Alt or Meta that Qt binds to editing beyond the table (on some desktops
// F14 undoes, F18 pastes, F20 cuts).
bool IsOnlyQtsEditKey(const QKeyEvent& key) {
  for (const auto binding :
       {QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Paste, QKeySequence::Cut}) {
    if (key.matches(binding)) {
      return true;
    }
  }
  return false;
}

bool IsPlainEditKey(const QKeyEvent& key) {
  const Qt::KeyboardModifiers mods = ModifiersOf(key);
  const bool shiftAtMost = (mods & ~Qt::ShiftModifier) == 0;
  switch (key.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Insert:
      return shiftAtMost;
    default:
      return false;
  }
}

}  // namespace

void EditorKeys::Install(QWidget& box, EditOrigin& origin, EditorKeyActions actions) {
  auto* keys = new EditorKeys(box, origin, std::move(actions));
  box.installEventFilter(keys);
  // A scroll area gets its context menu through its viewport.
  if (auto* area = qobject_cast<QAbstractScrollArea*>(&box)) {
    area->viewport()->installEventFilter(keys);
  }
}

EditorKeys::EditorKeys(QWidget& box, EditOrigin& origin, EditorKeyActions actions)
    : QObject(&box), box_(box), origin_(origin), actions_(std::move(actions)) {}

bool EditorKeys::eventFilter(QObject* /*watched*/, QEvent* event) {
  QWidget& box = box_;
  switch (event->type()) {
    case QEvent::ShortcutOverride: {
      // Claimed here, these keys reach the box as key presses, whatever a menu binds to them.
      const auto& key = *static_cast<QKeyEvent*>(event);
      if (IsUndo(key) || IsRedo(key)) {
        event->accept();
        return true;
      }
      return false;
    }
    case QEvent::KeyPress:
      return OnKey(box, *static_cast<QKeyEvent*>(event));
    case QEvent::ContextMenu:
      return OnContextMenu(box, *static_cast<QContextMenuEvent*>(event));
    default:
      return false;
  }
}

bool EditorKeys::OnKey(QWidget& box, const QKeyEvent& key) {
  const Qt::KeyboardModifiers mods = ModifiersOf(key);
  if (IsRedo(key)) {
    actions_.redo();
    return true;
  }
  if (IsUndo(key)) {
    actions_.undo();
    return true;
  }
  if (Is(key, Qt::Key_Backspace, Qt::ControlModifier) ||
      Is(key, Qt::Key_Delete, Qt::ControlModifier)) {
    actions_.deleteWord(SelectionOf(box), key.key() == Qt::Key_Delete);
    return true;
  }
  if ((key.key() == Qt::Key_Left || key.key() == Qt::Key_Right) &&
      (mods == Qt::ControlModifier || mods == kCtrlShift)) {
    Select(box,
           actions_.moveByWord(SelectionOf(box), key.key() == Qt::Key_Right, mods == kCtrlShift));
    return true;
  }
  if ((key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) &&
      (mods & Qt::ControlModifier) != 0) {
    // Ctrl+Tab moves the focus on as Tab does, Ctrl+Shift+Tab back, in every box.
    const bool back = key.key() == Qt::Key_Backtab || (mods & Qt::ShiftModifier) != 0;
    QKeyEvent tab(QEvent::KeyPress, back ? Qt::Key_Backtab : Qt::Key_Tab,
                  back ? Qt::ShiftModifier : Qt::NoModifier);
    QCoreApplication::sendEvent(&box, &tab);
    return true;
  }
  if (qobject_cast<QLineEdit*>(&box) != nullptr &&
      (key.key() == Qt::Key_Up || key.key() == Qt::Key_Down) && (mods & ~Qt::ShiftModifier) == 0) {
    // A one-line box has no line above or below: Up and Down go back and on by one character.
    QKeyEvent sideways(QEvent::KeyPress, key.key() == Qt::Key_Up ? Qt::Key_Left : Qt::Key_Right,
                       key.modifiers());
    QCoreApplication::sendEvent(&box, &sideways);
    return true;
  }
  if ((mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0) {
    // Not in the table: Ctrl+K, Ctrl+U, Alt+letters and the rest change nothing.
    return !IsTableCtrlKey(key);
  }
  if (IsPlainEditKey(key)) {
    return false;
  }
  return IsOnlyQtsEditKey(key);
}

bool EditorKeys::OnContextMenu(QWidget& box, const QContextMenuEvent& event) {
  std::unique_ptr<QMenu> menu;
  if (auto* line = qobject_cast<QLineEdit*>(&box)) {
    menu.reset(line->createStandardContextMenu());
  } else {
    menu.reset(static_cast<QPlainTextEdit&>(box).createStandardContextMenu(event.pos()));
  }
  // The menu's Undo and Redo take the editor's steps, as the keys do.
  for (QAction* action : menu->actions()) {
    const bool undo = action->objectName() == QLatin1String("edit-undo");
    if (!undo && action->objectName() != QLatin1String("edit-redo")) {
      continue;
    }
    disconnect(action, &QAction::triggered, nullptr, nullptr);
    action->setEnabled(undo ? actions_.canUndo() : actions_.canRedo());
    connect(action, &QAction::triggered, this, undo ? actions_.undo : actions_.redo);
  }
  const EditOrigin::During menuChange(origin_, EditSource::kOther);
  menu->exec(event.globalPos());
  return true;
}

}  // namespace zarvex
