// A second, independent reading of setting-number text that the fuzzers and the model test check
// the editor against. It is built unlike the editor's own parser on purpose (a character state
// machine and digit-string comparisons, no running value), so the two are unlikely to share a
// mistake. Slow and plain; not for the editor itself.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zarvex::testing {

// The rounded value of the text, or nothing when the text is not a setting number.
[[nodiscard]] std::optional<int> ReferenceSettingNumber(std::string_view text);

// The number's shortest decimal form, built digit by digit.
[[nodiscard]] std::string ReferenceDecimal(int number);

}  // namespace zarvex::testing
