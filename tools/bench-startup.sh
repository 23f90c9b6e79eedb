#!/usr/bin/env bash
# Times the editor's window from the program's start to its first painted frame and until it
# settles, and its peak memory, against the same controls built plainly from the layout table
# (bench/startup/*/SameControlsWindow.cpp: the toolkit's floor for this window), against an empty
# window of the same size and caption, and against the plain text editors people use instead:
# FeatherPad and Mousepad beside the Linux window, Wine's Notepad beside the Windows program under
# Wine. Prints the fastest run and the median of each figure, and the editor's ratio to each row.
#   tools/bench-startup.sh                         15 runs of each program, Linux and Wine
#   BENCH_STARTUP_RUNS=7 tools/bench-startup.sh
#   BENCH_STARTUP_SKIP_WINE=1 tools/bench-startup.sh   the Linux window only
# Builds what it needs in Release, in folders of its own, and installs FeatherPad and Mousepad when
# they are missing (Debian packages; their rows are left out when that fails). The programs are timed from outside by
# bench/startup's probe, on an X server of their own with no window manager, so none is changed or
# told it is measured. The programs take turns, each run starting with the next one, after one
# unmeasured start of each.
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
# Against the same controls, the floor of its toolkit, the editor may take a tenth more; against the
# Linux text editors it must take no more. The empty windows show what a window alone costs, and
# Notepad's row what one control costs against the editor's thirty: their ratios have no target.
floor_target=1.1
peer_target=1.0

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

# shellcheck source=quietly.sh
. "$PWD/tools/quietly.sh"

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

# The rows of one part: a label, the time and memory targets of the editor against it ("-" for
# none), and the probe's arguments. The first row is the editor.
rows=()
declare -A row_targets row_start
add_row() {
  local label=$1 time=$2 memory=$3
  shift 3
  rows+=("$label")
  row_targets[$label]="$time $memory"
  row_start[$label]=$(printf '%s\x1f' "$@")
}

start_row() {
  local around=$1 label=$2 measured_as=$3 start
  IFS=$'\x1f' read -r -a start <<<"${row_start[$label]}"
  "$around" "$measured_as" "${start[@]}"
}

# Runs every row $runs times, taking turns and starting each run with the next row, after one
# unmeasured start of each; $1 is the function that runs one start.
take_turns() {
  local around=$1 run i count=${#rows[@]}
  for i in "${!rows[@]}"; do
    start_row "$around" "${rows[$i]}" -
  done
  for run in $(seq "$runs"); do
    for i in $(seq 0 $((count - 1))); do
      local label=${rows[$(((run + i) % count))]}
      start_row "$around" "$label" "$label"
    done
  done
}

# Each Linux start gets an X server of its own.
on_fresh_display() {
  local label=$1
  shift
  # Now and then a fresh server does not answer while other work loads the machine: one more try.
  start_private_x_server "$scratch" || { stop_private_x_server; start_private_x_server "$scratch"; } ||
    exit 1
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
    if (a == "-" || b == "-" || b + 0 == 0) { print "-"; exit }
    r = a / b
    if (target == "-") printf "%.2f", r
    else printf "%.2f (%s %s)", r, r <= target ? "within" : "MISSES", target
  }'
}

# Prints the table of one part, then the editor's ratio of medians to every other row, and keeps
# the runs, one line each, in the build folder.
report() {
  local title=$1 kept=$2
  local row figures editor=${rows[0]}
  cp "$scratch/results" "$kept"
  echo "== $title ($runs runs each, taking turns; load before: $load_before, after:" \
    "$(cut -d' ' -f1-3 /proc/loadavg))"
  printf '%-22s %17s %17s %17s %17s\n' "" "mapped ms" "first paint ms" "settled ms" "peak MiB"
  printf '%-22s' ""
  printf ' %8s %8s' min median min median min median min median
  echo
  for row in "${rows[@]}"; do
    printf '%-22s' "$row"
    for figures in "mapped_ms 1" "painted_ms 1" "settled_ms 1" "hwm_kib 1024"; do
      # shellcheck disable=SC2086
      read -r min median <<<"$(stats "$row" $figures)"
      printf ' %8s %8s' "$min" "$median"
    done
    echo
  done
  median() { stats "$1" "$2" "${3:-1}" | cut -d' ' -f2; }
  printf '%-34s %-22s %-22s %-22s\n' "ratio of medians, $editor against" "first paint" "settled" \
    "peak memory"
  for row in "${rows[@]:1}"; do
    read -r time memory <<<"${row_targets[$row]}"
    printf '%-34s %-22s %-22s %-22s\n' "  $row" \
      "$(ratio "$(median "$editor" painted_ms)" "$(median "$row" painted_ms)" "$time")" \
      "$(ratio "$(median "$editor" settled_ms)" "$(median "$row" settled_ms)" "$time")" \
      "$(ratio "$(median "$editor" hwm_kib 1024)" "$(median "$row" hwm_kib 1024)" "$memory")"
  done
}

# The peers are benchmarks only, so this step installs them, not the build's package lists.
install_peers() {
  local missing=() package sudo=""
  for package in featherpad mousepad; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  echo "Installing the text editors to compare with: ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null 2>&1 ||
    echo "could not install ${missing[*]}; their rows are left out"
}

# The Linux editor as the app preset builds it, with the probe and the Qt yardsticks beside it.
install_peers
quietly "$scratch/configure.log" cmake --preset app -B "$linux_build" -DZARVEX_BUILD_BENCHMARKS=ON
quietly "$scratch/build.log" cmake --build "$linux_build" -j2 --target zarvex-script-editor \
  startup-probe startup-same-controls-qt startup-empty-window-qt
: >"$scratch/results"
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
linux_editor=$PWD/$linux_build/window/qt/zarvex-script-editor
linux_floor=$PWD/$linux_build/bench/startup/qt/startup-same-controls-qt
linux_baseline=$PWD/$linux_build/bench/startup/qt/startup-empty-window-qt
linux_probe=(--quiet-ms 1000 --timeout-ms 60000)
add_row "Linux editor" - - "${linux_probe[@]}" -- "$linux_editor"
add_row "same Qt controls" "$floor_target" "$floor_target" "${linux_probe[@]}" -- "$linux_floor"
add_row "empty Qt window" - - "${linux_probe[@]}" -- "$linux_baseline"
# Their captions as they start with no file; each writes its settings under a home of its own.
mkdir -p "$scratch/home"
command -v featherpad >/dev/null &&
  add_row "FeatherPad" "$peer_target" "$peer_target" "${linux_probe[@]}" --caption "Untitled" -- \
    env HOME="$scratch/home" featherpad
command -v mousepad >/dev/null &&
  add_row "Mousepad" "$peer_target" "$peer_target" "${linux_probe[@]}" \
    --caption "Untitled 1 - Mousepad" -- env HOME="$scratch/home" mousepad
take_turns on_fresh_display
report "Window start-up, Linux (Qt)" "$linux_build/startup-runs-linux.txt"

if [ -n "${BENCH_STARTUP_SKIP_WINE:-}" ]; then
  exit 0
fi
if ! command -v i686-w64-mingw32-g++-win32 >/dev/null || ! command -v wineserver >/dev/null; then
  echo "== Window start-up, Windows under Wine: skipped, no mingw-w64 or no Wine here"
  exit 0
fi

# The Windows editor as the windows preset builds it, and the Win32 yardsticks, built with the
# same toolchain file and so linked statically the same way.
quietly "$scratch/configure.log" cmake --preset windows -B "$windows_build" -DZARVEX_BUILD_TESTS=OFF
quietly "$scratch/build.log" cmake --build "$windows_build" -j2 --target zarvex-script-editor
quietly "$scratch/configure.log" cmake -S bench/startup/win32 -B "$baseline_build" -G Ninja \
  --toolchain "$PWD/cmake/i686-w64-mingw32.cmake" -DCMAKE_BUILD_TYPE=Release
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
windows_floor=$PWD/$baseline_build/startup-same-controls-win32.exe
windows_baseline=$PWD/$baseline_build/startup-empty-window-win32.exe
wine_probe=(--quiet-ms 2000 --timeout-ms 120000)
rows=()
add_row "Wine editor" - - "${wine_probe[@]}" --memory-of "$(basename "$windows_editor")" \
  -- "$loader" "$windows_editor"
add_row "same Win32 controls" "$floor_target" "$floor_target" "${wine_probe[@]}" \
  --memory-of "$(basename "$windows_floor")" -- "$loader" "$windows_floor"
add_row "empty Win32 window" - - "${wine_probe[@]}" \
  --memory-of "$(basename "$windows_baseline")" -- "$loader" "$windows_baseline"
# Wine's own Notepad, as Wine installs it in the prefix, for information. Its 32-bit build, like
# the editor: a 64-bit prefix runs 32-bit programs through an extra layer, and
# its 64-bit Notepad would not pay for it.
notepad=notepad
[ -d "$prefix/drive_c/windows/syswow64" ] && notepad='C:\windows\syswow64\notepad.exe'
add_row "Wine Notepad" - - "${wine_probe[@]}" --caption "Untitled - Notepad" \
  --memory-of notepad.exe -- "$loader" "$notepad"
take_turns on_wine_display
# tools/i386-emulation.sh registers qemu only where 32-bit programs do not start by themselves.
if grep -qx enabled /proc/sys/fs/binfmt_misc/qemu-i386 2>/dev/null; then
  how="32-bit code through qemu's emulation"
else
  how="32-bit code natively"
fi
report "Window start-up, Windows under Wine (warm; $how)" "$linux_build/startup-runs-wine.txt"
