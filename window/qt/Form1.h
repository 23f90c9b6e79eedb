// The editor's window on Linux. Builds its controls from the layout table, forwards every user
// action to the controller it owns, and shows exactly the fields the controller says changed.
// It holds no editor logic and runs no operation on its own changes to the controls.
#pragma once

#include <QWidget>
#include <array>
#include <filesystem>

#include "platform/FileReplacer.h"
#include "platform/TextEncoder.h"
#include "window/EditorController.h"

class QCheckBox;
class QCloseEvent;
class QComboBox;

namespace zarvex {

class EditOrigin;
class ScriptArea;
class ValueEdit;
struct ControlLayout;

class Form1 : public QWidget {
  Q_OBJECT

 public:
  // The file writer and encoder must outlive the window. The script is saved under the game's
  // folder, a whole path (empty for the working directory).
  Form1(FileReplacer& files, const TextEncoder& encoder, std::filesystem::path gameFolder,
        QWidget* parent = nullptr);

  // What the editor holds, for reading only.
  [[nodiscard]] const EditorController& Controller() const { return controller_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControl(const ControlLayout& row);
  void StackAndChainControls();
  // Undo, redo and the word keys of a text box go to the editor.
  void KeepEditorKeys(QWidget& box, EditOrigin& origin, Control control);
  void FocusFirstControl();

  void ShowChanges(const FieldChanges& changes);
  void ShowValueBox(Control box);
  void ShowList(Control list);
  void ShowScript(const FieldChanges& changes);

  EditorController controller_;
  std::array<QWidget*, kControlCount> controls_{};
  std::array<ValueEdit*, kControlCount> valueBoxes_{};
  std::array<QComboBox*, kControlCount> lists_{};
  ScriptArea* scriptArea_ = nullptr;
};

}  // namespace zarvex
