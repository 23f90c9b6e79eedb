// The editor without its window: owns the state and the script settings, takes the user's actions
// one at a time, records each new value, runs the one operation the action calls for, and says
// which fields changed. A window forwards every user action here; a test can do the same.
#pragma once

#include <cstddef>
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

namespace zarvex {

// What the editor needs from its platform. The file writer and encoder must outlive the controller.
struct EditorPlatform {
  ShowMessage showMessage;
  FileReplacer& files;
  const TextEncoder& encoder;
};

class EditorController {
 public:
  explicit EditorController(EditorPlatform platform);

  // Fills the three lists, once, choosing nothing and running no operation.
  FieldChanges Start();

  // The user typed into a value box or the script area; the whole new text. Text typed into a
  // disabled value box is not taken.
  FieldChanges ChangeText(Control box, std::string text);

  // The user changed part of the script area. Says where a lone CR and a lone LF joined.
  FieldChanges EditScript(const ScriptEdit& edit);

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

  EditorPlatform platform_;
  EditorState state_;
  ScriptSettings settings_;
  ScriptPositions scriptPositions_;
  bool started_ = false;
  bool ended_ = false;
};

}  // namespace zarvex
