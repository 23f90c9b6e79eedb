#include "scriptfile/SaveScript.h"

#include <exception>
#include <string>

#include "platform/Utf8.h"
#include "script/ScriptBlock.h"

namespace zarvex {

std::filesystem::path ScriptFilePath() {
  return std::filesystem::path("ASSETS") / "gamescript.txt";
}

bool SaveScript(const EditorState& state, const std::filesystem::path& gameFolder,
                FileReplacer& files, const TextEncoder& encoder, const ShowMessage& showMessage) {
  const std::filesystem::path script = gameFolder / ScriptFilePath();
  std::string reason;
  try {
    // Every code page holds ASCII unchanged, so a plain script is written as it stands, without
    // a converted copy of a text that may be megabytes long.
    std::string converted;
    std::string_view text = state.Text6;
    if (!IsAscii(text)) {
      converted = encoder.ToFileText(text);
      text = converted;
    }
    const std::string_view contents[] = {text, kLineBreak};
    const std::error_code error = files.Replace(script, contents);
    if (!error) {
      return true;
    }
    reason = error.message();
  } catch (const std::exception& failure) {
    reason = failure.what();
  }
  // The whole path, so the player sees which folder the editor was started in.
  std::error_code ignored;
  const std::filesystem::path absolute = std::filesystem::absolute(script, ignored);
  showMessage(std::string(kSaveFailedMessage) + Utf8PathText(absolute.empty() ? script : absolute) +
              "\n" + reason);
  return false;
}

}  // namespace zarvex
