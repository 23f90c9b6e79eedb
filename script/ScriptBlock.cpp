#include "script/ScriptBlock.h"

namespace zarvex {

namespace {

class BlockWriter {
 public:
  // One allocation for the whole block: the fixed lines take a little over 200 bytes.
  explicit BlockWriter(std::size_t variableBytes) { text_.reserve(256 + variableBytes); }

  void Line(std::string_view text) {
    text_ += text;
    text_ += kLineBreak;
  }
  void Setting(std::string_view key, SettingNumber number) {
    text_ += "  ";
    text_ += key;
    text_ += ' ';
    Line(FormatSettingNumber(number));
  }
  void Quoted(std::string_view key, std::string_view value) {
    text_ += "  ";
    text_ += key;
    text_ += " \"";
    text_ += value;
    Line("\"");
  }
  ScriptBlock Take() { return std::move(text_); }

 private:
  ScriptBlock text_;
};

}  // namespace

ScriptBlock ComposeBlock(const ScriptSettings& settings, const BlockNumbers& numbers,
                         std::string_view track, std::string_view car) {
  // The order is the game's, not the window's: the time-limit pair comes before the wasted-limit
  // pair, and the cars-on-map switch after the server car.
  BlockWriter block(settings.modeKeyword.size() + track.size() + car.size());
  block.Line(settings.modeKeyword);
  block.Quoted("TRACK", track);
  block.Line(settings.useTimeLimitLine);
  block.Setting("TIME_LIMIT", numbers.timeLimit);
  block.Line(settings.useWastedLimitLine);
  block.Setting("WASTED_LIMIT", numbers.wastedLimit);
  block.Line(settings.useRecoverDelayLine);
  block.Setting("RECOVER_DELAY", numbers.recoverDelay);
  block.Line(settings.repairLine);
  block.Line(settings.serverSetCarLine);
  block.Quoted("SERVER_CAR", car);
  block.Line(settings.carsOnMapLine);
  block.Setting("LAPS", numbers.laps);
  block.Line("END");
  block.Line("");
  return block.Take();
}

}  // namespace zarvex
