#include "script/ScriptBlock.h"

#include <gtest/gtest.h>

namespace zarvex {
namespace {

TEST(ComposeBlock, FreshSettingsGiveTheDocumentedBlock) {
  const ScriptBlock block = ComposeBlock(ScriptSettings{}, BlockNumbers{}, "Arena", "Ka");
  EXPECT_EQ(block,
            "FREE_FOR_ALL\r\n"
            "  TRACK \"Arena\"\r\n"
            "  USE_TIME_LIMIT 0\r\n"
            "  TIME_LIMIT 0\r\n"
            "  USE_WASTED_LIMIT 0\r\n"
            "  WASTED_LIMIT 0\r\n"
            "  USE_RECOVER_DELAY 0\r\n"
            "  RECOVER_DELAY 0\r\n"
            "  REPAIR 0\r\n"
            "  SERVER_SET_CAR 0\r\n"
            "  SERVER_CAR \"Ka\"\r\n"
            "  CARS_ON_MAP 0\r\n"
            "  LAPS 1\r\n"
            "END\r\n"
            "\r\n");
  EXPECT_EQ(block.size(), 234u);
}

TEST(ComposeBlock, PlacesEveryValueOnItsOwnLine) {
  ScriptSettings settings;
  settings.modeKeyword = "HOT_NUT";
  settings.useWastedLimitLine = "  USE_WASTED_LIMIT 1";
  settings.carsOnMapLine = "  CARS_ON_MAP 1";
  // Distinct numbers catch a swapped pair: time before wasted, in the game's order.
  const BlockNumbers numbers{
      .wastedLimit = -5, .timeLimit = 300, .recoverDelay = -32768, .laps = 32767};
  EXPECT_EQ(ComposeBlock(settings, numbers, "Super Speedway", "Space Host"),
            "HOT_NUT\r\n"
            "  TRACK \"Super Speedway\"\r\n"
            "  USE_TIME_LIMIT 0\r\n"
            "  TIME_LIMIT 300\r\n"
            "  USE_WASTED_LIMIT 1\r\n"
            "  WASTED_LIMIT -5\r\n"
            "  USE_RECOVER_DELAY 0\r\n"
            "  RECOVER_DELAY -32768\r\n"
            "  REPAIR 0\r\n"
            "  SERVER_SET_CAR 0\r\n"
            "  SERVER_CAR \"Space Host\"\r\n"
            "  CARS_ON_MAP 1\r\n"
            "  LAPS 32767\r\n"
            "END\r\n"
            "\r\n");
}

TEST(ComposeBlock, CopiesTextsBetweenTheQuotesUnchanged) {
  const ScriptBlock block = ComposeBlock(ScriptSettings{}, BlockNumbers{}, "", "a\"b\\c\xC3\xA9");
  EXPECT_NE(block.find("  TRACK \"\"\r\n"), std::string::npos);
  EXPECT_NE(block.find("  SERVER_CAR \"a\"b\\c\xC3\xA9\"\r\n"), std::string::npos);
  // A long text in either place, past what the block sets aside for the fixed lines.
  const std::string longText(1000, 'x');
  const std::string quoted = " \"" + longText + "\"\r\n";
  EXPECT_NE(ComposeBlock({}, {}, longText, "").find("  TRACK" + quoted), std::string::npos);
  EXPECT_NE(ComposeBlock({}, {}, "", longText).find("  SERVER_CAR" + quoted), std::string::npos);
}

}  // namespace
}  // namespace zarvex
