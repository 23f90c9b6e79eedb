// Long random sessions of user actions, run step by step against the controller and against a
// small model of the editor: the script, the settings, the boxes, the lists, the messages and the
// saved file must agree after every step. Fixed seeds keep a failure repeatable.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "EditorModel.h"
#include "ReferenceScriptBlock.h"
#include "SanitizedBuild.h"
#include "TestSupport.h"
#include "platform/NativePlatform.h"
#include "script/GameModeTable.h"
#include "script/ServerCarList.h"
#include "script/TrackList.h"
#include "window/EditorController.h"

namespace zarvex {
namespace {

namespace fs = std::filesystem;
using testing::EditorModel;
using testing::MessageLog;
using testing::ModelChanges;
using testing::ModelUtf16;
using testing::ModelUtf8;
using testing::ReferenceSwitchLine;
using testing::ScratchWorkingDirectory;

constexpr std::array<Control, 6> kOptionBoxes = {Control::Check1, Control::Check2, Control::Check3,
                                                 Control::Check4, Control::Check5, Control::Check6};
constexpr std::array<Control, 4> kValueBoxes = {Control::Text1, Control::Text2, Control::Text3,
                                                Control::Text5};
constexpr std::array<Control, 3> kLists = {Control::Combo1, Control::Combo2, Control::Combo3};

// How many UTF-16 units a huge script has. Sanitized builds use smaller ones: the size matters to
// speed, not to memory safety.
constexpr std::size_t kHugeText = testing::kSanitizedBuild ? 200'000 : 1'000'000;
// Past this many units a session works on the script for a few steps, then replaces it.
constexpr std::size_t kLargeScript = kHugeText / 4;
constexpr int kStepsWithLargeScript = 8;

std::array<std::vector<std::string>, 3> ShownLists() {
  std::array<std::vector<std::string>, 3> lists;
  for (const GameMode& mode : GameModeTable) {
    lists[0].emplace_back(mode.displayName);
  }
  lists[1].assign(TrackList.begin(), TrackList.end());
  lists[2].assign(ServerCarList.begin(), ServerCarList.end());
  return lists;
}

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Shows a text in a failure message with its line breaks visible.
std::string Shown(const std::string& text) {
  std::string shown;
  for (const char c : text.substr(0, 60)) {
    shown += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
  }
  return "\"" + shown + (text.size() > 60 ? "\"..." : "\"") + " (" + std::to_string(text.size()) +
         " bytes)";
}

class ModelSession {
 public:
  explicit ModelSession(unsigned seed)
      : seed_(seed),
        random_(seed),
        editor_({log_.Recorder(), NativeFileReplacer(), NativeTextEncoder()}),
        model_(ShownLists()) {
    fs::create_directory("ASSETS");
    editor_.Start();
    for (std::size_t list = 0; list < kLists.size(); ++list) {
      EXPECT_EQ(editor_.State().List(kLists[list]).entries, ShownLists()[list]);
    }
  }

  // Runs the steps, then closes the editor and tries a few more actions, which must do nothing.
  void Run(int steps) {
    for (int step = 0; step < steps + 30; ++step) {
      if (step == steps) {
        Check("close", editor_.Close(), model_.Close());
      } else {
        Step();
      }
      if (::testing::Test::HasFailure()) {
        ADD_FAILURE() << "Stopped at step " << step << " of the session";
        return;
      }
    }
    // What the session did, so a reader can see that every kind of action was exercised.
    std::printf("seed %u:", seed_);
    for (const auto& [kind, count] : tally_) {
      std::printf(" %s %d,", kind.c_str(), count);
    }
    std::printf(" largest script %zu bytes\n", largestScript_);
  }

 private:
  std::size_t Uniform(std::size_t low, std::size_t high) {
    return std::uniform_int_distribution<std::size_t>(low, high)(random_);
  }
  bool Chance(double probability) { return std::bernoulli_distribution(probability)(random_); }

  // One character as the user might type it; Enter gives CR LF.
  std::u16string Character() {
    static const std::u16string kAscii =
        u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 _\"-.";
    static const std::array<std::u16string, 18> kOthers = {
        u"\r\n",   u"\r\n",   u"\r\n",   u"\r",     u"\r",     u"\n",
        u"\n",     u"\t",     u"\u00E9", u"\u00DF", u"\u20AC", u"\u0152",
        u"\u2122", u"\u0081", u"\u00A0", u"\u0416", u"\u4E2D", u"\U0001F600"};
    if (Chance(0.7)) {
      return std::u16string(1, kAscii[Uniform(0, kAscii.size() - 1)]);
    }
    if (Chance(0.1)) {
      return u"\U0001D11E\u201C";
    }
    return kOthers[Uniform(0, kOthers.size() - 1)];
  }

  std::u16string Text(std::size_t maxCharacters) {
    std::u16string text;
    for (std::size_t n = Uniform(0, maxCharacters); n > 0; --n) {
      text += Character();
    }
    return text;
  }

  // A text of kHugeText UTF-16 units or a little more, non-ASCII and line breaks included.
  std::u16string HugeText() {
    const std::u16string chunk = Text(2000) + u"x";
    std::u16string text;
    while (text.size() < kHugeText) {
      text += chunk;
    }
    return text;
  }

  // What a user types into a value box: numbers in many spellings, near misses and plain junk.
  std::string NumberText() {
    static const std::array<std::string, 20> kJunk = {"",
                                                      " ",
                                                      "abc",
                                                      "1e3",
                                                      "0x10",
                                                      "- 5",
                                                      "1.2.3",
                                                      "+",
                                                      "-",
                                                      ".",
                                                      "5.",
                                                      ".5",
                                                      "-.5",
                                                      "1,000",
                                                      "12\r\n",
                                                      "\t",
                                                      "(5)",
                                                      "\xEF\xBC\x95",
                                                      "5\xE2\x82\xAC",
                                                      "--1"};
    if (Chance(0.01)) {
      return Chance(0.5) ? std::string(200'000, '0') + "42"
                         : "1." + std::string(100'000, '0') + "1";
    }
    if (Chance(0.2)) {
      return kJunk[Uniform(0, kJunk.size() - 1)];
    }
    const bool outOfRange = Chance(0.15);
    const long magnitude = outOfRange ? static_cast<long>(Uniform(32768, 99999))
                                      : static_cast<long>(Uniform(0, 32768));
    static const std::array<std::string, 9> kFractions = {"",    "",      ".",     ".0",    ".5",
                                                          ".25", ".4999", ".5000", ".50001"};
    std::string text = std::string(Uniform(0, 1) * Uniform(0, 4), '0') + std::to_string(magnitude) +
                       kFractions[Uniform(0, kFractions.size() - 1)];
    if (Chance(0.4)) {
      text = "-" + text;
    } else if (Chance(0.1)) {
      text = "+" + text;
    }
    if (Chance(0.2)) {
      text = std::string(Uniform(1, 2), Chance(0.5) ? ' ' : '\t') + text + " ";
    }
    return text;
  }

  // Widget positions never fall between the halves of a surrogate pair.
  std::size_t OnCharacter(std::size_t position) const {
    const std::u16string& script = model_.Script();
    const std::size_t index = model_.IndexOfPosition(position);
    const bool insidePair = index > 0 && index < script.size() && IsLowSurrogate(script[index]) &&
                            IsHighSurrogate(script[index - 1]);
    return insidePair ? position - 1 : position;
  }

  // Whether the edit would make a CR before it meet an LF after it, or the reverse at its end.
  bool JoinsLineBreaks(std::size_t position, std::size_t removed,
                       const std::u16string& inserted) const {
    const std::u16string& script = model_.Script();
    const std::size_t from = model_.IndexOfPosition(position);
    const std::size_t to = model_.IndexOfPosition(position + removed);
    const char16_t before = from > 0 ? script[from - 1] : u'\0';
    const char16_t after = to < script.size() ? script[to] : u'\0';
    if (inserted.empty()) {
      return before == u'\r' && after == u'\n';
    }
    return (before == u'\r' && inserted.front() == u'\n') ||
           (inserted.back() == u'\r' && after == u'\n');
  }

  void Edit(const std::string& kind, std::size_t position, std::size_t removed,
            const std::u16string& inserted) {
    // The edits where a lone CR meets an LF and the two become one line break are the ones where
    // positions shift after the edit itself; they are counted to show they happen.
    if (JoinsLineBreaks(position, removed, inserted)) {
      ++tally_["line breaks joined"];
    }
    ++tally_[kind];
    const std::string utf8 = ModelUtf8(inserted);
    const std::string action = kind + " at " + std::to_string(position) + ", removing " +
                               std::to_string(removed) + ", inserting " + Shown(utf8);
    const std::size_t from = model_.IndexOfPosition(position);
    Check(action, editor_.EditText(Control::Text6, {position, removed, utf8}),
          model_.EditScript(position, removed, inserted));
    // The caret follows the inserted text, where the widget would put it.
    caret_ = model_.PositionOfIndex(from + inserted.size());
  }

  void ReplaceScript(std::u16string text) {
    const std::string utf8 = ModelUtf8(text);
    Check("replace the script with " + Shown(utf8), editor_.ChangeText(Control::Text6, utf8),
          model_.ReplaceScript(std::move(text)));
    caret_ = model_.PositionCount();
  }

  void Step() {
    const std::size_t positions = model_.PositionCount();
    caret_ = std::min(caret_, positions);
    // Every check walks the whole script, so a large one stays for a few steps only.
    if (model_.Script().size() > kLargeScript && ++stepsWithLargeScript_ > kStepsWithLargeScript) {
      stepsWithLargeScript_ = 0;
      ReplaceScript(Text(40));
      return;
    }
    const std::size_t roll = Uniform(0, 99);
    if (roll < 12) {
      const std::size_t box = Uniform(0, 5);
      const bool ticked = Chance(0.5);
      Check(std::string(ticked ? "tick " : "clear ") + std::string(NameOf(kOptionBoxes[box])),
            editor_.ChangeTick(kOptionBoxes[box], ticked), model_.ChangeTick(box, ticked));
      ++tally_["ticks"];
    } else if (roll < 24) {
      const std::size_t box = Uniform(0, 3);
      const std::string text = NumberText();
      Check("type " + Shown(text) + " into " + std::string(NameOf(kValueBoxes[box])),
            editor_.ChangeText(kValueBoxes[box], text), model_.ChangeBoxText(box, text));
      ++tally_["value box texts"];
    } else if (roll < 30) {
      const std::size_t list = Uniform(0, 2);
      const std::size_t position = Uniform(0, ShownLists()[list].size() + 1);
      Check("choose entry " + std::to_string(position) + " of " + std::string(NameOf(kLists[list])),
            editor_.ChooseEntry(kLists[list], position), model_.Choose(list, position));
      ++tally_["list choices"];
    } else if (roll < 42) {
      const FieldChanges changes = editor_.PressButton(Control::Command1);
      Check("add to script", changes, model_.AddBlock());
      ++tally_[changes.Has(Control::Text6) ? "blocks added" : "adds refused"];
      // The window puts the caret before the first character after an add.
      caret_ = 0;
    } else if (roll < 45) {
      const std::size_t messages = log_.Messages().size();
      Check("save script", editor_.PressButton(Control::Command2), model_.Save());
      ++tally_[log_.Messages().size() == messages ? "saves" : "saves refused"];
      if (fs::exists("ASSETS")) {
        const std::vector<std::string> expected = model_.FileBytes()
                                                      ? std::vector<std::string>{"gamescript.txt"}
                                                      : std::vector<std::string>{};
        EXPECT_EQ(testing::NamesIn("ASSETS"), expected)
            << "a save left something beside the script";
      }
    } else if (roll < 70) {
      if (Chance(0.03)) {
        // A line break that arrives as CR and LF in two keystrokes.
        Edit("type", caret_, 0, u"\r");
        Edit("type", caret_, 0, u"\n");
      } else {
        Edit("type", caret_, 0, Character());
      }
    } else if (roll < 75) {
      if (caret_ > 0) {
        const std::size_t index = model_.IndexOfPosition(caret_);
        const bool pairBefore = index >= 2 && IsLowSurrogate(model_.Script()[index - 1]);
        const std::size_t width = pairBefore ? 2 : 1;
        Edit("backspace", caret_ - width, width, u"");
      }
    } else if (roll < 85) {
      const std::size_t position = OnCharacter(Uniform(0, positions));
      const std::size_t end = std::min(positions, position + Uniform(0, 8));
      const std::size_t removed = OnCharacter(end) == end ? end - position : end + 1 - position;
      Edit("edit", position, removed, Text(6));
    } else if (roll < 90) {
      const std::size_t position = OnCharacter(Uniform(0, positions));
      const std::size_t end = std::min(positions, position + Uniform(0, 300));
      const std::size_t removed = OnCharacter(end) == end ? end - position : end + 1 - position;
      Edit("paste", position, removed, Text(60));
    } else if (roll < 94) {
      ReplaceScript(Chance(0.03) ? HugeText() : Text(300));
      ++tally_["scripts replaced"];
    } else if (roll < 95) {
      const bool exists = fs::exists("ASSETS");
      if (exists) {
        fs::remove_all("ASSETS");
      } else {
        fs::create_directory("ASSETS");
      }
      model_.SetFolderExists(!exists);
      ++tally_["folder changes"];
    } else {
      caret_ = OnCharacter(Uniform(0, positions));
    }
  }

  void Check(const std::string& action, const FieldChanges& got, const ModelChanges& want) {
    SCOPED_TRACE(action);
    const EditorState& state = editor_.State();
    largestScript_ = std::max(largestScript_, state.Text6.size());
    const std::string script = model_.ScriptUtf8();
    if (state.Text6 != script) {
      const auto differ =
          std::mismatch(state.Text6.begin(), state.Text6.end(), script.begin(), script.end());
      const auto at = static_cast<std::size_t>(differ.first - state.Text6.begin());
      ADD_FAILURE() << "The script differs from byte " << at << ": editor "
                    << Shown(state.Text6.substr(at > 10 ? at - 10 : 0)) << ", model "
                    << Shown(script.substr(at > 10 ? at - 10 : 0));
    }
    for (std::size_t box = 0; box < kOptionBoxes.size(); ++box) {
      EXPECT_EQ(state.Tick(kOptionBoxes[box]), model_.Ticked(box)) << NameOf(kOptionBoxes[box]);
    }
    for (std::size_t box = 0; box < kValueBoxes.size(); ++box) {
      const ValueBox& shown = state.Box(kValueBoxes[box]);
      EXPECT_EQ(shown.text, model_.BoxText(box)) << NameOf(kValueBoxes[box]);
      EXPECT_EQ(shown.enabled, model_.BoxEnabled(box)) << NameOf(kValueBoxes[box]);
    }
    for (std::size_t list = 0; list < kLists.size(); ++list) {
      EXPECT_EQ(state.List(kLists[list]).chosen, model_.Chosen(list)) << NameOf(kLists[list]);
    }
    const ScriptSettings& settings = editor_.Settings();
    EXPECT_EQ(settings.modeKeyword, model_.Keyword());
    EXPECT_EQ(settings.useWastedLimitLine, ReferenceSwitchLine(0, model_.Ticked(0)));
    EXPECT_EQ(settings.useTimeLimitLine, ReferenceSwitchLine(1, model_.Ticked(1)));
    EXPECT_EQ(settings.useRecoverDelayLine, ReferenceSwitchLine(2, model_.Ticked(2)));
    EXPECT_EQ(settings.repairLine, ReferenceSwitchLine(3, model_.Ticked(3)));
    EXPECT_EQ(settings.carsOnMapLine, ReferenceSwitchLine(4, model_.Ticked(4)));
    EXPECT_EQ(settings.serverSetCarLine, ReferenceSwitchLine(5, model_.Ticked(5)));
    EXPECT_EQ(log_.Messages(), model_.Messages());
    EXPECT_EQ(editor_.HasEnded(), model_.Ended());

    const fs::path file = fs::path("ASSETS") / "gamescript.txt";
    if (model_.FileBytes()) {
      const std::string saved = testing::ReadFile(file);
      EXPECT_TRUE(saved == *model_.FileBytes())
          << "saved " << Shown(saved) << ", expected " << Shown(*model_.FileBytes());
    } else {
      EXPECT_FALSE(fs::exists(file)) << "a file appeared without a successful save";
    }

    for (std::size_t index = 0; index < kControlCount; ++index) {
      const auto control = static_cast<Control>(index);
      const bool expected =
          std::find(want.fields.begin(), want.fields.end(), control) != want.fields.end();
      EXPECT_EQ(got.Has(control), expected) << "change reported for " << NameOf(control);
    }
    EXPECT_EQ(got.scriptAppendedAt, want.scriptAppendedAt);
  }

  ScratchWorkingDirectory folder_;
  unsigned seed_;
  std::mt19937 random_;
  MessageLog log_;
  EditorController editor_;
  EditorModel model_;
  std::size_t caret_ = 0;
  int stepsWithLargeScript_ = 0;
  std::map<std::string, int> tally_;
  std::size_t largestScript_ = 0;
};

TEST(EditorModel, RandomSessionsAgreeWithTheController) {
  const std::vector<unsigned> seeds = testing::kSanitizedBuild
                                          ? std::vector<unsigned>{11, 23}
                                          : std::vector<unsigned>{11, 23, 47, 101};
  for (const unsigned seed : seeds) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    ModelSession session(seed);
    session.Run(2500);
    if (HasFailure()) {
      return;
    }
  }
}

}  // namespace
}  // namespace zarvex
