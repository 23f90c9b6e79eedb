// The "Save Script" operation: writes the script area's text and one CR LF to ASSETS/gamescript.txt
// under the game's folder, in the file's 8-bit code page. It never creates the folder
// and never reads the file. A failed save is reported and leaves the old file as it was.
#pragma once

#include <filesystem>
#include <string_view>

#include "platform/FileReplacer.h"
#include "platform/ShowMessage.h"
#include "platform/TextEncoder.h"
#include "script/EditorState.h"

namespace zarvex {

inline constexpr std::string_view kSaveFailedMessage = "Could not save the script to ";

// "ASSETS" joined to "gamescript.txt" by the platform's own separator.
[[nodiscard]] std::filesystem::path ScriptFilePath();

// Returns true when the file was replaced. On failure shows a message naming the whole path, with
// the system's reason on a second line, and returns false. An empty folder is the working
// directory.
bool SaveScript(const EditorState& state, const std::filesystem::path& gameFolder,
                FileReplacer& files, const TextEncoder& encoder, const ShowMessage& showMessage);

}  // namespace zarvex
