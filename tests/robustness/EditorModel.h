// A small model of the editor that the model-based test runs beside the controller: ticks and the
// value boxes they govern, list choices, the block format, the script area as a text widget counts
// it (UTF-16, a line break counting as one position) and the file a save must leave. It is built
// from the editor's rules alone, shares no code with it, and recomputes everything from scratch.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "script/Control.h"

namespace zarvex::testing {

// What one action must change in the window, as the controller reports it.
struct ModelChanges {
  std::vector<Control> fields;
  std::optional<std::size_t> scriptAppendedAt;
};

class EditorModel {
 public:
  // The entries of the mode, track and car lists, as the editor shows them after starting.
  explicit EditorModel(std::array<std::vector<std::string>, 3> lists);

  // Boxes count from 0: Check1 to Check6; Text1, Text2, Text3, Text5; Combo1 to Combo3.
  ModelChanges ChangeTick(std::size_t box, bool ticked);
  ModelChanges ChangeBoxText(std::size_t box, std::string text);
  ModelChanges Choose(std::size_t list, std::size_t position);
  ModelChanges ReplaceScript(std::u16string text);
  ModelChanges EditScript(std::size_t position, std::size_t removed,
                          const std::u16string& inserted);
  ModelChanges AddBlock();
  ModelChanges Save();
  ModelChanges Close();

  // The "ASSETS" folder came or went; a save needs it, and the file goes with it.
  void SetFolderExists(bool exists);

  [[nodiscard]] bool Ticked(std::size_t box) const { return ticks_.at(box); }
  [[nodiscard]] const std::string& BoxText(std::size_t box) const { return boxTexts_.at(box); }
  [[nodiscard]] bool BoxEnabled(std::size_t box) const { return boxEnabled_.at(box); }
  [[nodiscard]] std::optional<std::size_t> Chosen(std::size_t list) const {
    return chosen_.at(list);
  }
  [[nodiscard]] std::string Keyword() const;
  [[nodiscard]] const std::u16string& Script() const { return script_; }
  [[nodiscard]] std::string ScriptUtf8() const;
  [[nodiscard]] const std::optional<std::string>& FileBytes() const { return fileBytes_; }
  [[nodiscard]] const std::vector<std::string>& Messages() const { return messages_; }
  [[nodiscard]] bool Ended() const { return ended_; }

  // Widget positions: how many the script spans, the UTF-16 index where one starts, and the
  // position of the character that starts at an index.
  [[nodiscard]] std::size_t PositionCount() const;
  [[nodiscard]] std::size_t IndexOfPosition(std::size_t position) const;
  [[nodiscard]] std::size_t PositionOfIndex(std::size_t index) const;

 private:
  std::array<std::vector<std::string>, 3> lists_;
  std::array<bool, 6> ticks_{};
  std::array<std::string, 4> boxTexts_{"0", "0", "0", "1"};
  std::array<bool, 4> boxEnabled_{false, false, false, true};
  std::array<std::optional<std::size_t>, 3> chosen_;
  std::u16string script_;
  bool folderExists_ = true;
  std::optional<std::string> fileBytes_;
  std::vector<std::string> messages_;
  bool ended_ = false;
};

// UTF-16 to UTF-8 and back, for well-formed text only.
[[nodiscard]] std::string ModelUtf8(const std::u16string& text);
[[nodiscard]] std::u16string ModelUtf16(const std::string& text);

// The byte a save writes for the character: its Windows-1252 code, or '?' when it has none.
[[nodiscard]] char ModelFileByte(char32_t character);

}  // namespace zarvex::testing
