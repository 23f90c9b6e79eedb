#include "script/AddToScript.h"

#include <exception>

#include "script/ScriptBlock.h"

namespace zarvex {

namespace {

std::string_view TrackText(const EditorState& state) {
  const std::string_view text = state.Combo2.Text();
  return text == "Track" ? kFallbackTrack : text;
}

std::string_view CarText(const EditorState& state) {
  const std::string_view text = state.Combo3.Text();
  return text == "Server Car" ? kFallbackCar : text;
}

}  // namespace

bool AddToScript(EditorState& state, const ScriptSettings& settings,
                 const ShowMessage& showMessage) {
  try {
    // Every box is converted, enabled or not, in this order; the first failure ends it.
    BlockNumbers numbers;
    numbers.wastedLimit = ParseSettingNumber(state.Text1.text);
    numbers.timeLimit = ParseSettingNumber(state.Text2.text);
    numbers.recoverDelay = ParseSettingNumber(state.Text3.text);
    numbers.laps = ParseSettingNumber(state.Text5.text);
    // Appending in place keeps an add as cheap on a large script as on an empty one; append has
    // the strong guarantee, so a failure leaves the old text whole.
    state.Text6 += ComposeBlock(settings, numbers, TrackText(state), CarText(state));
    return true;
  } catch (const std::exception&) {
    // A bad number, or anything unexpected such as running out of memory, takes the one path.
    showMessage(kNotANumberMessage);
    return false;
  }
}

}  // namespace zarvex
