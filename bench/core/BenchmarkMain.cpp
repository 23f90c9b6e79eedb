// Runs the core benchmarks and sets each product figure beside its baseline. Exits with 0 even
// when a ratio is over its limit: the figures are for people to read, and the summary says so.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include "BaselineSummary.h"

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  using zarvex::bench::BaselineComparison;
  // Colours only on a terminal, so that a log reads cleanly.
  zarvex::bench::BaselineSummary summary(
      ::isatty(STDOUT_FILENO) != 0 ? benchmark::ConsoleReporter::OO_ColorTabular
                                   : benchmark::ConsoleReporter::OO_Tabular,
      {
          // An add may cost at most twice a bare append of its bytes, at every script size.
          BaselineComparison{"AddBlockThroughController", "AppendBlockBaseline", "", 2.0},
          BaselineComparison{"AddBlockThroughController", "ComposeAndAppendBaseline", "", 2.0},
          // The same add on a large script against an empty one: copying the script would show
          // here.
          BaselineComparison{"AddBlockThroughController", "AddBlockThroughController", "MB:0", 2.0},
          BaselineComparison{"SaveScriptThroughController", "WriteFsyncRenameBaseline", "", 1.2},
          BaselineComparison{"TypeAtEndThroughController", "TypeAtEndBaseline", "", 0},
          BaselineComparison{"TypeInMiddleThroughController", "TypeInMiddleBaseline", "", 0},
          BaselineComparison{"TypeAtBothEndsThroughController", "TypeAtBothEndsBaseline", "", 0},
      });
  benchmark::RunSpecifiedBenchmarks(&summary);
  benchmark::Shutdown();
  return 0;
}
