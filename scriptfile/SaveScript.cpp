#include "scriptfile/SaveScript.h"

#include <exception>
#include <string>

#include "script/ScriptBlock.h"

namespace zarvex {

std::filesystem::path ScriptFilePath() {
  return std::filesystem::path("ASSETS") / "gamescript.txt";
}

bool SaveScript(const EditorState& state, FileReplacer& files, const TextEncoder& encoder,
                const ShowMessage& showMessage) {
  std::string reason;
  try {
    std::string bytes = encoder.ToFileText(state.Text6);
    bytes += kLineBreak;
    const std::error_code error = files.Replace(ScriptFilePath(), bytes);
    if (!error) {
      return true;
    }
    reason = error.message();
  } catch (const std::exception& failure) {
    reason = failure.what();
  }
  showMessage(std::string(kSaveFailedMessage) + ScriptFilePath().string() + "\n" + reason);
  return false;
}

}  // namespace zarvex
