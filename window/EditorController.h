// The editor without its window: owns the state and the script settings, takes the user's actions
// one at a time, records each new value, runs the one operation the action calls for, and says
// which fields changed. A window forwards every user action here; a test can do the same.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>

#include "platform/FileReplacer.h"
#include "platform/ShowMessage.h"
#include "platform/TextEncoder.h"
#include "script/Control.h"
#include "script/EditorState.h"
#include "script/ScriptSettings.h"
#include "window/FieldChanges.h"
#include "window/ScriptEdit.h"
#include "window/ScriptPositions.h"
#include "window/TextHistory.h"

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

  // Fills the three lists, once, choosing nothing and running no operation.
  FieldChanges Start();

  // The user typed into a value box or the script area; the whole new text. Text typed into a
  // disabled value box is not taken; text pasted into a value box is kept up to its first line
  // break, and the change that drops the rest is given back.
  FieldChanges ChangeText(Control box, std::string text);

  // The user changed part of the script area. Says where a lone CR and a lone LF joined.
  FieldChanges EditScript(const ScriptEdit& edit);

  // Ctrl+Z, and Ctrl+Y or Ctrl+Shift+Z, in a value box or the script area: takes back, or makes
  // again, the box's last step and gives back the change for the box.
  FieldChanges Undo(Control box);
  FieldChanges Redo(Control box);
  [[nodiscard]] bool CanUndo(Control box) const;
  [[nodiscard]] bool CanRedo(Control box) const;

  // Ctrl+Backspace or Ctrl+Delete in a text box with this selection (the box's positions, either
  // way round): removes the selection, or else the word before or after the caret.
  FieldChanges DeleteWord(Control box, std::size_t anchor, std::size_t caret, bool forward);

  // Where Ctrl+Left or Ctrl+Right takes the caret in a text box from this position.
  [[nodiscard]] std::size_t WordStop(Control box, std::size_t position, bool forward);

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
  FieldChanges AddBlock();
  FieldChanges Step(Control box, bool undo);
  // Makes the change to the box's text and says how the box shows it.
  FieldChanges::BoxEdit ApplyChange(Control box, const TextChange& change);
  // The script area's remembered mapping, or for a value box the fresh one given, whose text is
  // too short to be worth remembering.
  [[nodiscard]] ScriptPositions& PositionsOf(Control box, ScriptPositions& valueBox);
  [[nodiscard]] bool TakesEditing(Control box) const;
  [[nodiscard]] std::string& TextOf(Control box);
  [[nodiscard]] TextHistory* HistoryOf(Control box);
  [[nodiscard]] const TextHistory* HistoryOf(Control box) const;
  void EndTyping();

  EditorPlatform platform_;
  EditorState state_;
  ScriptSettings settings_;
  ScriptPositions scriptPositions_;
  TextHistory scriptHistory_;
  // Text1, Text2, Text3 and Text5, in that order.
  std::array<TextHistory, 4> valueBoxHistories_;
  bool started_ = false;
  bool ended_ = false;
};

}  // namespace zarvex
