#include "window/qt/Form1.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <utility>

#include "window/WindowLayout.h"
#include "window/qt/ControlWidgets.h"
#include "window/qt/EditorKeys.h"
#include "window/qt/QtMessageBox.h"
#include "window/qt/ScriptArea.h"
#include "window/qt/ValueEdit.h"

namespace zarvex {

Form1::Form1(FileReplacer& files, const TextEncoder& encoder, std::filesystem::path gameFolder,
             QWidget* parent)
    : QWidget(parent),
      controller_(EditorPlatform{QtMessageBox(this), files, encoder, TextUnits::kLineBreakIsOne,
                                 std::move(gameFolder)}) {
  setWindowTitle(QString::fromUtf8(kWindowCaption));
  setFixedSize(TwipsToPixels(kClientWidthTwips, logicalDpiX()),
               TwipsToPixels(kClientHeightTwips, logicalDpiY()));
  for (const ControlLayout& row : kWindowLayout) {
    BuildControl(row);
  }
  StackAndChainControls();
  // The value boxes start as the editor's state has them, text and enabled flag alike.
  for (const ControlLayout& row : kWindowLayout) {
    if (IsValueBox(row.name)) {
      ShowValueBox(row.name);
    }
  }
  ShowChanges(controller_.Start());
  FocusFirstControl();
}

void Form1::BuildControl(const ControlLayout& row) {
  const Control control = row.name;
  QWidget* widget = nullptr;
  switch (row.kind) {
    case ControlKind::Picture:
      widget = MakePicture(row, *this);
      break;
    case ControlKind::Label:
      widget = MakeLabel(row, *this);
      break;
    case ControlKind::OptionBox: {
      QCheckBox* box = MakeOptionBox(row, *this);
      // clicked comes from the mouse and the space bar only, never from a change the editor makes.
      connect(box, &QCheckBox::clicked, this, [this, control](bool ticked) {
        ShowChanges(controller_.ChangeTick(control, ticked));
      });
      widget = box;
      break;
    }
    case ControlKind::ValueBox: {
      ValueEdit* box = MakeValueBox(row, *this);
      connect(box, &ValueEdit::edited, this, [this, control](const TextEdit& edit) {
        ShowChanges(controller_.EditText(control, edit));
      });
      connect(box, &ValueEdit::retyped, this, [this, control](const std::string& text) {
        ShowChanges(controller_.ChangeText(control, text));
      });
      valueBoxes_[IndexOf(control)] = box;
      KeepEditorKeys(*box, box->origin, control);
      widget = box;
      break;
    }
    case ControlKind::DropDownList: {
      QComboBox* list = MakeList(row, *this);
      // activated is the user's choice alone; currentIndexChanged would also fire while filling.
      connect(list, &QComboBox::activated, this, [this, control](int position) {
        if (position >= 0) {
          ShowChanges(controller_.ChooseEntry(control, static_cast<std::size_t>(position)));
        }
      });
      lists_[IndexOf(control)] = list;
      widget = list;
      break;
    }
    case ControlKind::Button: {
      QPushButton* button = MakeButton(row, *this);
      connect(button, &QPushButton::clicked, this,
              [this, control] { ShowChanges(controller_.PressButton(control)); });
      widget = button;
      break;
    }
    case ControlKind::ScriptArea: {
      scriptArea_ = new ScriptArea(this);
      PlaceControl(*scriptArea_, row);
      connect(scriptArea_, &ScriptArea::edited, this, [this](const TextEdit& edit) {
        ShowChanges(controller_.EditText(Control::Text6, edit));
      });
      connect(scriptArea_, &ScriptArea::retyped, this, [this](const std::string& text) {
        ShowChanges(controller_.ChangeText(Control::Text6, text));
      });
      KeepEditorKeys(*scriptArea_, scriptArea_->origin, control);
      widget = scriptArea_;
      break;
    }
  }
  controls_[IndexOf(control)] = widget;
}

void Form1::KeepEditorKeys(QWidget& box, EditOrigin& origin, Control control) {
  EditorKeys::Install(box, origin,
                      {[this, control] { ShowChanges(controller_.Undo(control)); },
                       [this, control] { ShowChanges(controller_.Redo(control)); },
                       [this, control] { return controller_.CanUndo(control); },
                       [this, control] { return controller_.CanRedo(control); },
                       [this, control](TextSelection selection, bool forward) {
                         ShowChanges(controller_.DeleteWord(control, selection, forward));
                       },
                       [this, control](TextSelection selection, bool forward, bool extend) {
                         return controller_.MoveByWord(control, selection, forward, extend);
                       }});
}

void Form1::StackAndChainControls() {
  for (int layer = 0; layer <= StackLayer(ControlKind::ScriptArea); ++layer) {
    for (const ControlLayout& row : kWindowLayout) {
      if (StackLayer(row.kind) == layer) {
        controls_[IndexOf(row.name)]->raise();
      }
    }
  }
  const auto order = TabOrder();
  for (std::size_t rank = 1; rank < order.size(); ++rank) {
    setTabOrder(controls_[IndexOf(order[rank - 1])], controls_[IndexOf(order[rank])]);
  }
}

void Form1::FocusFirstControl() {
  for (const Control control : TabOrder()) {
    QWidget* widget = controls_[IndexOf(control)];
    if (widget->isEnabled()) {
      widget->setFocus(Qt::TabFocusReason);
      // The focus event comes only once the window is shown, and then for the window's activation,
      // which selects nothing: select now, so that typing replaces the text as after a Tab.
      if (ValueEdit* box = valueBoxes_[IndexOf(control)]) {
        box->selectAll();
      }
      return;
    }
  }
}

void Form1::closeEvent(QCloseEvent* event) {
  // No prompt and no save: an unsaved script is lost, as the user expects of this editor.
  controller_.Close();
  event->accept();
}

void Form1::ShowChanges(const FieldChanges& changes) {
  if (!changes.joinedBreaksAt.empty()) {
    scriptArea_->JoinBreaks(changes.joinedBreaksAt);
  }
  if (const auto& edit = changes.boxEdit) {
    if (edit->box == Control::Text6) {
      scriptArea_->ApplyEditorEdit(edit->position, edit->removed, edit->inserted, edit->caret);
    } else if (ValueEdit* box = valueBoxes_[IndexOf(edit->box)]) {
      ShowValueBox(edit->box);
      box->setCursorPosition(static_cast<int>(edit->caret));
    }
  }
  for (const ControlLayout& row : kWindowLayout) {
    if (!changes.Has(row.name)) {
      continue;
    }
    if (IsValueBox(row.name)) {
      ShowValueBox(row.name);
    } else if (IsList(row.name)) {
      ShowList(row.name);
    } else if (row.name == Control::Text6) {
      ShowScript(changes);
    }
  }
}

void Form1::ShowValueBox(Control box) {
  const ValueBox& value = controller_.State().Box(box);
  ValueEdit* widget = valueBoxes_[IndexOf(box)];
  widget->ShowEditorText(QString::fromStdString(value.text));
  widget->setEnabled(value.enabled);
}

void Form1::ShowList(Control list) {
  const ChoiceList& value = controller_.State().List(list);
  QComboBox* widget = lists_[IndexOf(list)];
  widget->clear();
  for (const std::string& entry : value.entries) {
    widget->addItem(QString::fromStdString(entry));
  }
  // QComboBox chooses the first entry of a filled list by itself; the editor's choice stands.
  widget->setCurrentIndex(value.chosen ? static_cast<int>(*value.chosen) : -1);
}

void Form1::ShowScript(const FieldChanges& changes) {
  const std::string& text = controller_.State().Text6;
  if (changes.scriptAppendedAt && *changes.scriptAppendedAt <= text.size()) {
    scriptArea_->AppendEditorText(std::string_view(text).substr(*changes.scriptAppendedAt));
  } else {
    scriptArea_->ReplaceWithEditorText(text);
  }
}

}  // namespace zarvex
