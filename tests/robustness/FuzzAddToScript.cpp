// Fuzz target: "Add to Script" either appends exactly one well-formed block to whatever the script
// holds, or leaves the script alone after exactly one "Must be a number!". Runs the operation both
// on a state set up directly (so disabled boxes can hold any text) and through the controller.
//
// Input layout: byte 0 holds the six ticks, bytes 1 to 3 choose the mode, track and car; the rest
// is split at its first four line feeds into the texts of Text1, Text2, Text3 and Text5, and what
// follows the fourth becomes the script the block is added to. Missing parts keep start values.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "FuzzFailure.h"
#include "ReferenceScriptBlock.h"
#include "ReferenceSettingNumber.h"
#include "platform/FileReplacer.h"
#include "platform/Windows1252Encoder.h"
#include "script/AddToScript.h"
#include "script/GameModeTable.h"
#include "script/OptionSwitches.h"
#include "script/ServerCarList.h"
#include "script/TrackList.h"
#include "window/EditorController.h"

namespace {

using zarvex::Control;
using zarvex::testing::FuzzFailure;
using zarvex::testing::ReferenceBlockFields;
using zarvex::testing::ReferenceBlockLines;
using zarvex::testing::ReferenceKeyword;
using zarvex::testing::ReferenceSettingNumber;

constexpr std::array<Control, 6> kOptionBoxes = {Control::Check1, Control::Check2, Control::Check3,
                                                 Control::Check4, Control::Check5, Control::Check6};
constexpr std::array<Control, 4> kValueBoxes = {Control::Text1, Control::Text2, Control::Text3,
                                                Control::Text5};

// Choices past the real entries: "none chosen", then an entry reading like the list's caption.
constexpr std::size_t kModeChoices = zarvex::GameModeTable.size() + 1;
constexpr std::size_t kTrackChoices = zarvex::TrackList.size() + 2;
constexpr std::size_t kCarChoices = zarvex::ServerCarList.size() + 2;

struct FuzzedSession {
  unsigned ticks = 0;
  std::size_t mode = kModeChoices - 1;
  std::size_t track = kTrackChoices - 2;
  std::size_t car = kCarChoices - 2;
  std::array<std::optional<std::string>, 4> boxTexts;
  std::string script;
};

FuzzedSession ReadSession(std::string_view input) {
  FuzzedSession session;
  const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(input[i]); };
  if (input.size() >= 4) {
    session.ticks = byteAt(0);
    session.mode = byteAt(1) % kModeChoices;
    session.track = byteAt(2) % kTrackChoices;
    session.car = byteAt(3) % kCarChoices;
    input.remove_prefix(4);
  } else {
    input = {};
  }
  for (std::optional<std::string>& text : session.boxTexts) {
    const std::size_t end = input.find('\n');
    if (end == std::string_view::npos) {
      return session;
    }
    text = std::string(input.substr(0, end));
    input.remove_prefix(end + 1);
  }
  session.script = std::string(input);
  return session;
}

bool Ticked(const FuzzedSession& session, std::size_t box) {
  return (session.ticks >> box & 1u) != 0;
}

// The fifteen lines the block must hold, from the block format alone; nothing when a box does not
// hold a number.
std::optional<std::vector<std::string>> ExpectedBlock(const zarvex::EditorState& before,
                                                      const FuzzedSession& session) {
  std::array<int, 4> numbers{};
  for (std::size_t i = 0; i < kValueBoxes.size(); ++i) {
    const std::optional<int> number = ReferenceSettingNumber(before.Box(kValueBoxes[i]).text);
    if (!number) {
      return {};
    }
    numbers[i] = *number;
  }
  const auto chosenText = [](const zarvex::ChoiceList& list) {
    return list.chosen ? list.entries.at(*list.chosen) : std::string();
  };
  ReferenceBlockFields fields;
  fields.track = chosenText(before.Combo2);
  fields.car = chosenText(before.Combo3);
  fields.track = fields.track == "Track" ? "Warehouse" : fields.track;
  fields.car = fields.car == "Server Car" ? "Corvette" : fields.car;
  if (before.Combo1.chosen) {
    fields.keyword = ReferenceKeyword(before.Combo1.entries.at(*before.Combo1.chosen));
  }
  for (std::size_t box = 0; box < fields.ticks.size(); ++box) {
    fields.ticks[box] = Ticked(session, box);
  }
  fields.wastedLimit = numbers[0];
  fields.timeLimit = numbers[1];
  fields.recoverDelay = numbers[2];
  fields.laps = numbers[3];
  return ReferenceBlockLines(fields);
}

// Splits text made only of CR LF terminated lines; nothing when any other shape is found.
std::optional<std::vector<std::string>> CrLfLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find("\r\n");
    if (end == std::string_view::npos) {
      return std::nullopt;
    }
    const std::string_view line = text.substr(0, end);
    if (line.find_first_of("\r\n") != std::string_view::npos) {
      return std::nullopt;
    }
    lines.emplace_back(line);
    text.remove_prefix(end + 2);
  }
  return lines;
}

void CheckAdd(const zarvex::EditorState& before, const FuzzedSession& session,
              const std::string& after, bool added, const std::vector<std::string>& messages,
              std::string_view input) {
  const std::optional<std::vector<std::string>> expected = ExpectedBlock(before, session);
  const std::string& old = before.Text6;
  if (!added) {
    if (expected) {
      FuzzFailure("every box holds a number, yet no block was added", input);
    }
    if (messages.size() != 1 || messages.front() != zarvex::kNotANumberMessage) {
      FuzzFailure("a refused add must show exactly one \"Must be a number!\"", input);
    }
    if (after != old) {
      FuzzFailure("a refused add changed the script", input);
    }
    return;
  }
  if (!messages.empty()) {
    FuzzFailure("a successful add showed a message", input);
  }
  if (!expected) {
    FuzzFailure("a box that holds no number was accepted", input);
  }
  if (after.size() < old.size() || after.compare(0, old.size(), old) != 0) {
    FuzzFailure("the old script is not kept whole at the start", input);
  }
  const std::optional<std::vector<std::string>> lines =
      CrLfLines(std::string_view(after).substr(old.size()));
  if (!lines || lines->size() != 15) {
    FuzzFailure("the added text is not fifteen lines each ending in CR LF", input);
  }
  if (lines->front() != expected->front() || (*lines)[13] != "END" || (*lines)[14] != "") {
    FuzzFailure("the block does not open with the keyword and close with END and an empty line",
                input);
  }
  if (*lines != *expected) {
    FuzzFailure("a setting line differs from the block format", input);
  }
}

// Refuses every file: this target never saves.
class NoFiles final : public zarvex::FileReplacer {
 public:
  std::error_code Replace(const std::filesystem::path&, Pieces) override {
    return std::make_error_code(std::errc::permission_denied);
  }
};

void AddOnDirectState(const FuzzedSession& session, std::string_view input) {
  zarvex::EditorState state;
  zarvex::ScriptSettings settings;
  for (const zarvex::GameMode& mode : zarvex::GameModeTable) {
    state.Combo1.entries.emplace_back(mode.displayName);
  }
  state.Combo2.entries.assign(zarvex::TrackList.begin(), zarvex::TrackList.end());
  state.Combo2.entries.emplace_back("Track");
  state.Combo3.entries.assign(zarvex::ServerCarList.begin(), zarvex::ServerCarList.end());
  state.Combo3.entries.emplace_back("Server Car");
  const auto choose = [](zarvex::ChoiceList& list, std::size_t choice, std::size_t none) {
    if (choice != none) {
      list.chosen = choice < none ? choice : choice - 1;
    }
  };
  choose(state.Combo1, session.mode, kModeChoices - 1);
  choose(state.Combo2, session.track, kTrackChoices - 2);
  choose(state.Combo3, session.car, kCarChoices - 2);
  zarvex::ChooseMode(state, settings);
  for (std::size_t box = 0; box < kOptionBoxes.size(); ++box) {
    state.Tick(kOptionBoxes[box]) = Ticked(session, box);
    zarvex::ToggleOption(kOptionBoxes[box], state, settings);
  }
  // Texts go in whatever the boxes' enabled flags say: every box is converted.
  for (std::size_t i = 0; i < kValueBoxes.size(); ++i) {
    if (session.boxTexts[i]) {
      state.Box(kValueBoxes[i]).text = *session.boxTexts[i];
    }
  }
  state.Text6 = session.script;

  std::vector<std::string> messages;
  const zarvex::EditorState before = state;
  const bool added = zarvex::AddToScript(
      state, settings, [&](std::string_view message) { messages.emplace_back(message); });
  CheckAdd(before, session, state.Text6, added, messages, input);
}

void AddThroughController(const FuzzedSession& session, std::string_view input) {
  NoFiles files;
  const zarvex::Windows1252Encoder encoder;
  std::vector<std::string> messages;
  zarvex::EditorController editor(
      {[&](std::string_view message) { messages.emplace_back(message); }, files, encoder});
  editor.Start();
  for (std::size_t box = 0; box < kOptionBoxes.size(); ++box) {
    editor.ChangeTick(kOptionBoxes[box], Ticked(session, box));
  }
  // The controller's lists hold only real entries; the caption choices mean "none" here.
  editor.ChooseEntry(Control::Combo1, session.mode);
  editor.ChooseEntry(Control::Combo2, session.track);
  editor.ChooseEntry(Control::Combo3, session.car);
  for (std::size_t i = 0; i < kValueBoxes.size(); ++i) {
    if (session.boxTexts[i]) {
      editor.ChangeText(kValueBoxes[i], *session.boxTexts[i]);
    }
  }
  editor.ChangeText(Control::Text6, session.script);

  const zarvex::EditorState before = editor.State();
  const zarvex::FieldChanges changes = editor.PressButton(Control::Command1);
  const bool added = changes.Has(Control::Text6);
  CheckAdd(before, session, editor.State().Text6, added, messages, input);
  if (added != (changes.scriptAppendedAt == before.Text6.size())) {
    FuzzFailure("the controller must report where the appended text begins", input);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const FuzzedSession session = ReadSession(input);
  AddOnDirectState(session, input);
  AddThroughController(session, input);
  return 0;
}
