#include "BenchmarkScripts.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "platform/NativePlatform.h"
#include "script/ServerCarList.h"
#include "script/TrackList.h"

namespace zarvex::bench {

namespace {

std::size_t PositionOf(std::string_view entry, const ChoiceList& list) {
  return static_cast<std::size_t>(std::find(list.entries.begin(), list.entries.end(), entry) -
                                  list.entries.begin());
}

}  // namespace

BenchmarkEditor::BenchmarkEditor()
    : controller_({[this](std::string_view) { ++messagesShown_; }, NativeFileReplacer(),
                   NativeTextEncoder()}) {
  controller_.Start();
  controller_.ChooseEntry(Control::Combo1, 1);
  controller_.ChooseEntry(Control::Combo2, PositionOf("Arena", controller_.State().Combo2));
  controller_.ChooseEntry(Control::Combo3, PositionOf("Ka", controller_.State().Combo3));
  controller_.ChangeTick(Control::Check2, true);
  controller_.ChangeText(Control::Text2, "300");
}

std::string TypicalBlock() {
  BenchmarkEditor editor;
  editor->PressButton(Control::Command1);
  return editor->State().Text6;
}

std::string ScriptOfSize(std::size_t bytes, std::size_t room) {
  const std::string block = TypicalBlock();
  // Hand-typed lines hold non-ASCII text, as real scripts may.
  const std::string comment = "// caf\xC3\xA9 round, \xE2\x82\xAC 5 entry\r\n";
  std::string script;
  script.reserve(bytes + room);
  for (std::size_t n = 0; script.size() < bytes; ++n) {
    const std::string& piece = n % 8 == 7 ? comment : block;
    if (piece.size() > bytes - script.size()) {
      // Blanks fill the end, so no character is cut in half.
      script.append(bytes - script.size(), ' ');
    } else {
      script += piece;
    }
  }
  return script;
}

}  // namespace zarvex::bench
