// Prints the benchmarks as the console does, then a summary that sets each product figure beside
// its baseline: median and minimum of the repetitions, their ratios, and whether the ratio keeps
// within its limit. It only reads the results; it times nothing itself.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zarvex::bench {

// Product family against baseline family, argument for argument ("MB:8" with "MB:8"), or against
// one fixed argument of the baseline when baselineArgument is set. A limit of 0 means none.
struct BaselineComparison {
  std::string_view product;
  std::string_view baseline;
  std::string_view baselineArgument;
  double limit = 0;
};

// Adds the fastest repetition to the figures a benchmark reports.
void AddMinimum(benchmark::internal::Benchmark* benchmark);

class BaselineSummary : public benchmark::ConsoleReporter {
 public:
  BaselineSummary(OutputOptions options, std::vector<BaselineComparison> comparisons);

  void ReportRuns(const std::vector<Run>& reports) override;
  void Finalize() override;

 private:
  struct Figure {
    double medianNs = 0;
    double minNs = 0;
  };
  // Keyed by family, then argument.
  std::map<std::string, std::map<std::string, Figure>> figures_;
  std::vector<BaselineComparison> comparisons_;
};

}  // namespace zarvex::bench
