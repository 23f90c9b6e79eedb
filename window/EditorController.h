// The editor without its window: owns the state and the script settings, takes the user's actions
// one at a time, records each new value, runs the one operation the action calls for, and says
// which fields changed. A window forwards every user action here; a test can do the same.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/FileReplacer.h"
#include "platform/ShowMessage.h"
#include "platform/TextEncoder.h"
#include "script/Control.h"
#include "script/EditorState.h"
#include "script/ScriptSettings.h"
#include "text/TextEdit.h"
#include "text/TextHistory.h"
#include "text/TextPositions.h"
#include "window/FieldChanges.h"

namespace zarvex {

// What the editor needs from its platform. The file writer and encoder must outlive the controller.
struct EditorPlatform {
  ShowMessage showMessage;
  FileReplacer& files;
  const TextEncoder& encoder;
  // How the window's script area counts positions.
  TextUnits scriptUnits = TextUnits::kLineBreakIsOne;
  // The whole path the script is saved under; empty for the working directory.
  std::filesystem::path gameFolder = {};
};

class EditorController {
 public:
  explicit EditorController(EditorPlatform platform);
  EditorController(const EditorController&) = delete;
  EditorController& operator=(const EditorController&) = delete;

  // Fills the three lists, once, choosing nothing and running no operation.
  FieldChanges Start();

  // The user changed part of a value box or the script area. Text typed into a disabled value box
  // is not taken; a value box keeps what it is given up to its first line break, and the change
  // that drops the rest is given back. In the script area, says where a lone CR and a lone LF
  // joined.
  FieldChanges EditText(Control box, const TextEdit& edit);

  // The box's whole new text, for a change its window could not read as one edit: a step of its
  // own.
  FieldChanges ChangeText(Control box, std::string text);

  // Ctrl+Z, and Ctrl+Y or Ctrl+Shift+Z, in a value box or the script area: takes back, or makes
  // again, the box's last step and gives back the change for the box.
  FieldChanges Undo(Control box);
  FieldChanges Redo(Control box);
  [[nodiscard]] bool CanUndo(Control box) const;
  [[nodiscard]] bool CanRedo(Control box) const;

  // Ctrl+Backspace or Ctrl+Delete in a text box with this selection (the box's positions):
  // removes the selection, or else the word before or after the caret.
  FieldChanges DeleteWord(Control box, TextSelection selection, bool forward);

  // Ctrl+Left or Ctrl+Right in a text box, with Shift `extend`ing the selection: the selection
  // after it.
  [[nodiscard]] TextSelection MoveByWord(Control box, TextSelection selection, bool forward,
                                         bool extend);

  // The user ticked or cleared an option box.
  FieldChanges ChangeTick(Control box, bool ticked);

  // The user chose the entry at this position of a list.
  FieldChanges ChooseEntry(Control list, std::size_t position);

  // The user pressed "Add to Script" or "Save Script".
  FieldChanges PressButton(Control button);

  // The window was closed: the editor ends with no prompt and no save, and takes no more actions.
  FieldChanges Close();

  [[nodiscard]] const EditorState& State() const { return state_; }
  [[nodiscard]] const ScriptSettings& Settings() const { return settings_; }
  [[nodiscard]] bool HasEnded() const { return ended_; }

 private:
  // What the editor keeps of one text box.
  struct TextBox {
    std::string& text;
    TextPositions positions;
    TextHistory history;
  };

  FieldChanges AddBlock();
  FieldChanges TakeStep(Control box, bool undo);
  FieldChanges EditScript(const TextEdit& edit);
  // Makes the change to the box's text and says how the box shows it.
  FieldChanges::BoxEdit ApplyChange(Control box, std::size_t offset, std::string_view removed,
                                    std::string_view inserted);
  [[nodiscard]] bool TakesEditing(Control box) const;
  [[nodiscard]] TextBox& BoxOf(Control box);
  [[nodiscard]] const TextBox& BoxOf(Control box) const;

  EditorPlatform platform_;
  EditorState state_;
  ScriptSettings settings_;
  // Text1, Text2, Text3, Text5 and Text6, in that order.
  std::array<TextBox, 5> boxes_;
  bool started_ = false;
  bool ended_ = false;
};

}  // namespace zarvex
