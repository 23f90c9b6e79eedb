#include "BaselineSummary.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace zarvex::bench {

namespace {

double Nanoseconds(const benchmark::BenchmarkReporter::Run& run) {
  return run.GetAdjustedRealTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
}

std::string Shown(double nanoseconds) {
  char text[32];
  if (nanoseconds >= 1e6) {
    std::snprintf(text, sizeof text, "%.2f ms", nanoseconds / 1e6);
  } else if (nanoseconds >= 1e3) {
    std::snprintf(text, sizeof text, "%.2f us", nanoseconds / 1e3);
  } else {
    std::snprintf(text, sizeof text, "%.1f ns", nanoseconds);
  }
  return text;
}

}  // namespace

void AddMinimum(benchmark::internal::Benchmark* benchmark) {
  benchmark->ComputeStatistics("min", [](const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
  });
}

BaselineSummary::BaselineSummary(OutputOptions options, std::vector<BaselineComparison> comparisons)
    : ConsoleReporter(options), comparisons_(std::move(comparisons)) {}

void BaselineSummary::ReportRuns(const std::vector<Run>& reports) {
  ConsoleReporter::ReportRuns(reports);
  for (const Run& run : reports) {
    if (run.error_occurred) {
      continue;
    }
    Figure& figure = figures_[run.run_name.function_name][run.run_name.args];
    // A single run stands for both figures; with repetitions the aggregates replace it.
    if (run.run_type == Run::RT_Iteration) {
      figure = {Nanoseconds(run), Nanoseconds(run)};
    } else if (run.aggregate_name == "median") {
      figure.medianNs = Nanoseconds(run);
    } else if (run.aggregate_name == "min") {
      figure.minNs = Nanoseconds(run);
    }
  }
}

void BaselineSummary::Finalize() {
  ConsoleReporter::Finalize();
  std::FILE* out = stdout;
  std::fflush(out);
  std::fprintf(out, "\nAgainst baselines: median of the repetitions, fastest in brackets\n");
  std::fprintf(out, "%-44s %-24s %-24s %-16s %s\n", "product", "product time", "baseline time",
               "ratio", "limit");
  for (const BaselineComparison& comparison : comparisons_) {
    const auto product = figures_.find(std::string(comparison.product));
    const auto baseline = figures_.find(std::string(comparison.baseline));
    if (product == figures_.end() || baseline == figures_.end()) {
      continue;  // filtered out of this run
    }
    for (const auto& [argument, figure] : product->second) {
      const std::string baselineArgument =
          comparison.baselineArgument.empty() ? argument : std::string(comparison.baselineArgument);
      const auto against = baseline->second.find(baselineArgument);
      const bool itself = comparison.product == comparison.baseline && argument == baselineArgument;
      if (against == baseline->second.end() || itself) {
        continue;
      }
      const Figure& base = against->second;
      const double medianRatio = figure.medianNs / base.medianNs;
      const double minRatio = figure.minNs / base.minNs;
      std::string verdict = "-";
      if (comparison.limit > 0) {
        const bool within = medianRatio <= comparison.limit;
        char text[32];
        std::snprintf(text, sizeof text, "%.1f %s", comparison.limit, within ? "ok" : "OVER");
        verdict = text;
      }
      const std::string name = std::string(comparison.product) + "/" + argument;
      const std::string baselineName = std::string(comparison.baseline) + "/" + baselineArgument;
      char ratio[32];
      std::snprintf(ratio, sizeof ratio, "%.2f [%.2f]", medianRatio, minRatio);
      std::fprintf(out, "%-44s %-24s %-24s %-16s %s\n", name.c_str(),
                   (Shown(figure.medianNs) + " [" + Shown(figure.minNs) + "]").c_str(),
                   (Shown(base.medianNs) + " [" + Shown(base.minNs) + "]").c_str(), ratio,
                   verdict.c_str());
      std::fprintf(out, "%-44s   against %s\n", "", baselineName.c_str());
    }
  }
  std::fflush(out);
}

}  // namespace zarvex::bench
