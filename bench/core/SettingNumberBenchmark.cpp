// Time per call of the value boxes' number conversion, on short typical texts and on texts of ten
// thousand digits, which must stay linear and never overflow.
#include <benchmark/benchmark.h>

#include <string>

#include "BaselineSummary.h"
#include "script/SettingNumber.h"

namespace zarvex::bench {
namespace {

void ParseSettingNumberText(benchmark::State& state, const std::string& text) {
  int failures = 0;
  for (auto _ : state) {
    try {
      benchmark::DoNotOptimize(ParseSettingNumber(text));
    } catch (const NumberFormatError&) {
      ++failures;
    }
  }
  state.counters["rejected"] = failures > 0 ? 1 : 0;
}

void ShortAndLong(benchmark::internal::Benchmark* benchmark) {
  benchmark->Unit(benchmark::kNanosecond);
  AddMinimum(benchmark);
}

BENCHMARK_CAPTURE(ParseSettingNumberText, typical_300, std::string("300"))->Apply(ShortAndLong);
BENCHMARK_CAPTURE(ParseSettingNumberText, blanks_007, std::string(" 007 "))->Apply(ShortAndLong);
BENCHMARK_CAPTURE(ParseSettingNumberText, lowest_half, std::string("-32768.5"))
    ->Apply(ShortAndLong);
BENCHMARK_CAPTURE(ParseSettingNumberText, letters_abc, std::string("abc"))->Apply(ShortAndLong);
BENCHMARK_CAPTURE(ParseSettingNumberText, leading_zeros_10000_digits,
                  std::string(9997, '0') + "300")
    ->Apply(ShortAndLong);
BENCHMARK_CAPTURE(ParseSettingNumberText, fraction_10000_digits,
                  "7." + std::string(9997, '0') + "1")
    ->Apply(ShortAndLong);
BENCHMARK_CAPTURE(ParseSettingNumberText, too_large_10000_digits, std::string(10000, '9'))
    ->Apply(ShortAndLong);

}  // namespace
}  // namespace zarvex::bench
