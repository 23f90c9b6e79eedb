// The keyword that opens a block and the six switch lines of a block, each kept as the finished
// text it puts into the script. Only the option and mode operations write these fields.
#pragma once

#include <string>

namespace zarvex {

// One whole script line without its line break: two spaces, an upper-case key, one space and a
// value, for example "  REPAIR 1". The shape is a convention; nothing checks it.
using ScriptLineText = std::string;

struct ScriptSettings {
  std::string modeKeyword = "FREE_FOR_ALL";
  ScriptLineText useWastedLimitLine = "  USE_WASTED_LIMIT 0";
  ScriptLineText useTimeLimitLine = "  USE_TIME_LIMIT 0";
  ScriptLineText useRecoverDelayLine = "  USE_RECOVER_DELAY 0";
  ScriptLineText repairLine = "  REPAIR 0";
  ScriptLineText carsOnMapLine = "  CARS_ON_MAP 0";
  ScriptLineText serverSetCarLine = "  SERVER_SET_CAR 0";

  friend bool operator==(const ScriptSettings&, const ScriptSettings&) = default;
};

}  // namespace zarvex
