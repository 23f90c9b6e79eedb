#!/usr/bin/env bash
# Builds the benchmarks in Release and runs every one several times, printing the median and the
# fastest run of each figure and, at the end of each part, the ratios against the baselines.
#   tools/bench.sh                   every benchmark, five repetitions
#   tools/bench.sh 'Save|WriteFsync' only the benchmarks whose names match
#   BENCH_REPETITIONS=9 tools/bench.sh
#   BENCH_CORE_ONLY=1 tools/bench.sh   without the window's benchmarks
#   BENCH_SKIP_STARTUP=1 tools/bench.sh  without the window start-up figures (tools/bench-startup.sh)
# The Windows window's keystrokes under Wine come from tools/bench-keystroke.sh.
# Figures from a machine that is busy with builds are not worth keeping: run it on a quiet one.
set -euo pipefail
cd "$(dirname "$0")/.."

filter=${1:-.}
repetitions=${BENCH_REPETITIONS:-5}
build=build/bench

# The window's benchmarks need Qt; without it the core's still build and run.
with_qt=OFF
if [ -z "${BENCH_CORE_ONLY:-}" ] &&
    dpkg-query -W -f='${Status}' qt6-base-dev 2>/dev/null | grep -q 'install ok installed'; then
  with_qt=ON
fi

cmake --preset default -B "$build" -DCMAKE_BUILD_TYPE=Release -DZARVEX_BUILD_TESTS=OFF \
  -DZARVEX_WITH_QT="$with_qt" >/dev/null
# The build's own output only when it fails, so the figures stay readable.
build_quietly() {
  cmake --build "$build" --target "$1" >"$build/$1.log" 2>&1 || { cat "$build/$1.log"; exit 1; }
}
build_quietly core_benchmarks

# Repetitions run interleaved at random, so a busy moment does not fall on one side only. Only
# the median and the fastest repetition of each figure are shown.
flags=(--benchmark_filter="$filter" --benchmark_repetitions="$repetitions"
       --benchmark_report_aggregates_only=true --benchmark_enable_random_interleaving=true)
figures_only() { grep -vE '_(mean|stddev|cv) '; }

echo "== Core: number conversion, adds, saves and keystrokes (load: $(cut -d' ' -f1-3 /proc/loadavg))"
"$build/bench/core/core_benchmarks" "${flags[@]}" | figures_only

# The window's own figures come from the window's benchmarks, when built.
if [ "$with_qt" = ON ] && grep -q '^build bench/qt/qt_bench:' "$build/build.ninja"; then
  build_quietly qt_bench
  echo "== Window (Qt)"
  "$build/bench/qt/qt_bench" "${flags[@]}" | figures_only
fi
# The Windows window's keystrokes under Wine, beside the Qt window's above.
if [ -z "${BENCH_CORE_ONLY:-}" ]; then
  tools/bench-keystroke.sh
fi

# Window start-up against empty windows comes last: it starts the programs many times over.
if [ -z "${BENCH_CORE_ONLY:-}" ] && [ "${BENCH_SKIP_STARTUP:-}" != 1 ]; then
  tools/bench-startup.sh
fi
