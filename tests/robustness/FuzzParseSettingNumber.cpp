// Fuzz target: every text either converts to the same number as the independent reference reading
// or fails in both, and every number that converts prints in its shortest form and reads back.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzFailure.h"
#include "ReferenceSettingNumber.h"
#include "script/SettingNumber.h"

using zarvex::testing::FuzzFailure;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::optional<int> expected = zarvex::testing::ReferenceSettingNumber(text);

  std::optional<int> parsed;
  try {
    parsed = zarvex::ParseSettingNumber(text);
  } catch (const zarvex::NumberFormatError&) {
    // Any other exception escapes and counts as a crash.
  }
  if (parsed != expected) {
    FuzzFailure(expected ? "the text is a number but the editor rejected it or read another value"
                         : "the text is not a number but the editor accepted it",
                text);
  }
  if (!parsed) {
    return 0;
  }

  const auto number = static_cast<zarvex::SettingNumber>(*parsed);
  const std::string written = zarvex::FormatSettingNumber(number);
  if (written != zarvex::testing::ReferenceDecimal(*parsed)) {
    FuzzFailure("the number is not written in its shortest decimal form", text);
  }
  if (zarvex::ParseSettingNumber(written) != number) {
    FuzzFailure("the written number does not read back as itself", text);
  }
  return 0;
}
