// The "Add to Script" operation: reads the four value boxes as setting numbers and appends one
// composed block to the script area. On a bad number it reports through the message it is given
// and changes nothing.
#pragma once

#include <string_view>

#include "platform/ShowMessage.h"
#include "script/EditorState.h"
#include "script/ScriptSettings.h"

namespace zarvex {

inline constexpr std::string_view kNotANumberMessage = "Must be a number!";

// Written instead of the list's text when it reads exactly "Track" or "Server Car", a caption a
// list might show before any choice.
inline constexpr std::string_view kFallbackTrack = "Warehouse";
inline constexpr std::string_view kFallbackCar = "Corvette";

// Returns true when a block was appended to state.Text6; false after the message was shown.
bool AddToScript(EditorState& state, const ScriptSettings& settings,
                 const ShowMessage& showMessage);

}  // namespace zarvex
