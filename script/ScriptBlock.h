// Lays out one block of game script: the mode keyword, twelve setting lines, "END" and an empty
// line, each followed by CR LF. Composition is pure and cannot fail; it checks nothing it copies.
#pragma once

#include <string>
#include <string_view>

#include "script/ScriptSettings.h"
#include "script/SettingNumber.h"

namespace zarvex {

// The fifteen-line block, CR LF after every line.
using ScriptBlock = std::string;

inline constexpr std::string_view kLineBreak = "\r\n";

struct BlockNumbers {
  SettingNumber wastedLimit = 0;
  SettingNumber timeLimit = 0;
  SettingNumber recoverDelay = 0;
  SettingNumber laps = 1;
};

// The track and car texts are copied between the quotes unchanged, without escaping.
[[nodiscard]] ScriptBlock ComposeBlock(const ScriptSettings& settings, const BlockNumbers& numbers,
                                       std::string_view track, std::string_view car);

}  // namespace zarvex
