#!/usr/bin/env bash
# Times the editor's window from the program's start to its first painted frame, and its peak
# memory, against an empty window of the same size and caption: the Linux window against an empty
# Qt window, and the Windows program under Wine against an empty Win32 window. Prints the fastest
# run and the median of each figure, and the ratios of the medians.
#   tools/bench-startup.sh                         15 runs of each program, Linux and Wine
#   BENCH_STARTUP_RUNS=7 tools/bench-startup.sh
#   BENCH_STARTUP_SKIP_WINE=1 tools/bench-startup.sh   the Linux window only
# Builds what it needs in Release, in folders of its own. The programs are timed from outside by
# bench/startup's probe, on an X server of their own with no window manager, so neither is changed
# or told it is measured. Editor and baseline runs alternate, after one unmeasured start of each.
#   mapped       the window is on the screen
#   first paint  the window first shows something other than the screen beneath it
#   settled      the window looks as it will stay (a blinking caret aside)
#   peak memory  VmHWM of the program's process just before it is stopped, after it settled;
#                under Wine that process is the emulated 32-bit Wine loader running the program
#                (qemu's own memory included on machines without a 32-bit mode), not Wine's
#                server or its system processes
# Figures from a busy machine are not worth keeping: the load is printed beside them. Each run's
# figures are kept in build/startup-helper/startup-runs-{linux,wine}.txt.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${BENCH_STARTUP_RUNS:-15}
linux_build=build/startup-helper
windows_build=build/startup-helper-windows
baseline_build=build/startup-helper-windows-baseline
caption="Zarvex Script Editor"
# The targets, reported and not enforced: a ratio of medians above them is printed as missed.
time_target=1.3
memory_target=1.2

scratch=$(mktemp -d)
xvfb_pid=""
# shellcheck source=private-x-server.sh
. "$PWD/tools/private-x-server.sh"
wine_started=false
finish() {
  stop_private_x_server
  if $wine_started; then
    wineserver --kill 2>/dev/null || true
  fi
  rm -rf "$scratch"
}
trap finish EXIT

# The build's own output only when it fails, so the figures stay readable.
quietly() {
  local log=$1
  shift
  "$@" >"$log" 2>&1 || { cat "$log"; exit 1; }
}

probe=$PWD/$linux_build/bench/startup/startup-probe

# One start of one program: appends "<label> <probe's figures>" to the results, unless the label
# is "-" (a warm-up). The program runs in an empty folder, so it finds no file of this tree.
measure() {
  local label=$1
  shift
  local line
  mkdir -p "$scratch/run"
  if ! line=$(cd "$scratch/run" && "$probe" --caption "$caption" --log "$scratch/program.log" "$@"); then
    echo "the start of $label failed; the program said:" >&2
    cat "$scratch/program.log" >&2
    exit 1
  fi
  [ "$label" = - ] || echo "${label// /_} $line" >>"$scratch/results"
}

# Runs the editor and its baseline $runs times each, alternating which goes first, after one
# unmeasured start of each. The probe's arguments for each are in editor_start and baseline_start;
# $3 is the function that runs one start.
alternate() {
  local editor_label=$1 baseline_label=$2 around=$3 run
  "$around" - "${editor_start[@]}"
  "$around" - "${baseline_start[@]}"
  for run in $(seq "$runs"); do
    if [ $((run % 2)) -eq 1 ]; then
      "$around" "$editor_label" "${editor_start[@]}"
      "$around" "$baseline_label" "${baseline_start[@]}"
    else
      "$around" "$baseline_label" "${baseline_start[@]}"
      "$around" "$editor_label" "${editor_start[@]}"
    fi
  done
}

# Each Linux start gets an X server of its own.
on_fresh_display() {
  local label=$1
  shift
  start_private_x_server "$scratch" || exit 1
  measure "$label" "$@"
  stop_private_x_server
}

# Wine's server is bound to the display it started on, so the Wine starts share one.
on_wine_display() {
  measure "$@"
}

# Min and median of one figure of one label, with a divisor (1024 turns KiB into MiB).
stats() {
  local label=$1 field=$2 divisor=${3:-1}
  awk -v label="${label// /_}" -v field="$field" -v divisor="$divisor" '
    $1 == label {
      for (i = 2; i <= NF; ++i) {
        split($i, pair, "=")
        if (pair[1] == field) print pair[2] / divisor
      }
    }' "$scratch/results" | sort -g | awk '
    { values[++n] = $1 }
    END {
      if (n == 0) { print "- -"; exit }
      median = n % 2 ? values[(n + 1) / 2] : (values[n / 2] + values[n / 2 + 1]) / 2
      printf "%.1f %.1f\n", values[1], median
    }'
}

ratio() {
  awk -v a="$1" -v b="$2" -v target="$3" 'BEGIN {
    if (b + 0 == 0) { print "-"; exit }
    r = a / b
    printf "%.2f (%s %s)\n", r, r <= target ? "within" : "MISSES", target
  }'
}

# Prints the table of one part and keeps its runs, one line each, in the build folder.
report() {
  local title=$1 editor=$2 baseline=$3 kept=$4
  local row figures
  cp "$scratch/results" "$kept"
  echo "== $title ($runs runs each, alternating; load before: $load_before, after:" \
    "$(cut -d' ' -f1-3 /proc/loadavg))"
  printf '%-22s %17s %17s %17s %17s\n' "" "mapped ms" "first paint ms" "settled ms" "peak MiB"
  printf '%-22s' ""
  printf ' %8s %8s' min median min median min median min median
  echo
  for row in "$editor" "$baseline"; do
    printf '%-22s' "$row"
    for figures in "mapped_ms 1" "painted_ms 1" "settled_ms 1" "hwm_kib 1024"; do
      # shellcheck disable=SC2086
      read -r min median <<<"$(stats "$row" $figures)"
      printf ' %8s %8s' "$min" "$median"
    done
    echo
  done
  local medians=()
  for figures in "mapped_ms 1" "painted_ms 1" "settled_ms 1" "hwm_kib 1024"; do
    # shellcheck disable=SC2086
    medians+=("$(stats "$editor" $figures | cut -d' ' -f2) $(stats "$baseline" $figures | cut -d' ' -f2)")
  done
  read -r a b <<<"${medians[1]}"
  echo "ratio of medians, first paint: $(ratio "$a" "$b" "$time_target")"
  read -r a b <<<"${medians[2]}"
  echo "ratio of medians, settled:     $(ratio "$a" "$b" "$time_target")"
  read -r a b <<<"${medians[3]}"
  echo "ratio of medians, peak memory: $(ratio "$a" "$b" "$memory_target")"
}

# The Linux editor as the app preset builds it, with the probe and the empty Qt window beside it.
cmake --preset app -B "$linux_build" -DZARVEX_BUILD_BENCHMARKS=ON >"$scratch/configure.log" 2>&1 ||
  { cat "$scratch/configure.log"; exit 1; }
quietly "$scratch/build.log" cmake --build "$linux_build" -j2 --target zarvex-script-editor \
  startup-probe startup-empty-window-qt
: >"$scratch/results"
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
linux_editor=$PWD/$linux_build/window/qt/zarvex-script-editor
linux_baseline=$PWD/$linux_build/bench/startup/qt/startup-empty-window-qt
editor_start=(--quiet-ms 1000 --timeout-ms 60000 -- "$linux_editor")
baseline_start=(--quiet-ms 1000 --timeout-ms 60000 -- "$linux_baseline")
alternate "Linux editor" "empty Qt window" on_fresh_display
report "Window start-up, Linux (Qt)" "Linux editor" "empty Qt window" \
  "$linux_build/startup-runs-linux.txt"

if [ -n "${BENCH_STARTUP_SKIP_WINE:-}" ]; then
  exit 0
fi
if ! command -v i686-w64-mingw32-g++-posix >/dev/null || ! command -v wineserver >/dev/null; then
  echo "== Window start-up, Windows under Wine: skipped, no mingw-w64 or no Wine here"
  exit 0
fi

# The Windows editor as the windows preset builds it, and the empty Win32 window, built with the
# same toolchain file and so linked statically the same way.
cmake --preset windows -B "$windows_build" -DZARVEX_BUILD_TESTS=OFF >"$scratch/configure.log" 2>&1 ||
  { cat "$scratch/configure.log"; exit 1; }
quietly "$scratch/build.log" cmake --build "$windows_build" -j2 --target zarvex-script-editor
cmake -S bench/startup/win32 -B "$baseline_build" -G Ninja \
  --toolchain "$PWD/cmake/i686-w64-mingw32.cmake" -DCMAKE_BUILD_TYPE=Release \
  >"$scratch/configure.log" 2>&1 || { cat "$scratch/configure.log"; exit 1; }
quietly "$scratch/build.log" cmake --build "$baseline_build" -j2

prefix=$windows_build/wine
tools/wine-run.sh --prefix "$prefix" --prepare
export WINEPREFIX=$PWD/$prefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=
loader=wine
[ -x /usr/lib/wine/wine64 ] && [ -d "$prefix/drive_c/windows/syswow64" ] && loader=/usr/lib/wine/wine64

# Warm starts: Wine's server and system processes already run, as they do when the editor is not
# the first Windows program of the session. So the figures are the programs' own starts. A console
# program does not start Wine's desktop process; the unmeasured first start of the editor does.
start_private_x_server "$scratch" || exit 1
wineserver --kill 2>/dev/null || true
wineserver --wait 2>/dev/null || true
wineserver --persistent </dev/null >/dev/null 2>&1
wine_started=true
"$loader" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true

: >"$scratch/results"
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
windows_editor=$PWD/$windows_build/window/win32/zarvex-script-editor.exe
windows_baseline=$PWD/$baseline_build/startup-empty-window-win32.exe
editor_start=(--quiet-ms 2000 --timeout-ms 120000 --memory-of "$(basename "$windows_editor")"
              -- "$loader" "$windows_editor")
baseline_start=(--quiet-ms 2000 --timeout-ms 120000 --memory-of "$(basename "$windows_baseline")"
                -- "$loader" "$windows_baseline")
alternate "Wine editor" "empty Win32 window" on_wine_display
report "Window start-up, Windows under Wine (warm)" "Wine editor" "empty Win32 window" \
  "$linux_build/startup-runs-wine.txt"
