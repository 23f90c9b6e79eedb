#!/usr/bin/env bash
# Times keystrokes in the Windows program's script area under Wine, with an empty script and with
# a large one: xdotool types characters at the start of the script area, then clicks "Save Script",
# and the time runs until the file is written. The same with one character typed is the save with
# its one reading of the script area; the difference over the further characters is one keystroke. Prints the median and fastest
# repetition of each, and the ratio of the large script's keystroke to the empty one's.
#   tools/bench-keystroke.sh                       50 characters, 0 and 5 MB, 5 repetitions
#   BENCH_KEYSTROKES=50 BENCH_REPETITIONS=7 BENCH_SCRIPT_MB="0 1 5" tools/bench-keystroke.sh
#   BENCH_EDITOR_EXE=other.exe tools/bench-keystroke.sh   another build of the editor, to compare
# Builds the Windows program in Release as tools/bench-startup.sh does, in the same folder. The
# large script is pasted once through the clipboard, as a user might, and saved once before timing.
set -euo pipefail
cd "$(dirname "$0")/.."

keys=${BENCH_KEYSTROKES:-50}
repetitions=${BENCH_REPETITIONS:-5}
sizes=${BENCH_SCRIPT_MB:-0 5}
linux_build=build/startup-helper
windows_build=build/startup-helper-windows
caption="Zarvex Script Editor"
# The targets, reported and not enforced.
keystroke_target=2

if ! command -v i686-w64-mingw32-g++-posix >/dev/null || ! command -v wineserver >/dev/null; then
  echo "== Keystrokes, Windows under Wine: skipped, no mingw-w64 or no Wine here"
  exit 0
fi
if ! command -v xdotool >/dev/null || ! command -v xclip >/dev/null; then
  echo "== Keystrokes, Windows under Wine: skipped, no xdotool or no xclip here"
  exit 0
fi

scratch=$(mktemp -d)
xvfb_pid=""
program_pid=""
# shellcheck source=private-x-server.sh
. "$PWD/tools/private-x-server.sh"
finish() {
  stop_program_and_x_server
  wineserver --kill 2>/dev/null || true
  rm -rf "$scratch"
}
trap finish EXIT

quietly() {
  local log=$1
  shift
  "$@" >"$log" 2>&1 || { cat "$log"; exit 1; }
}
quietly "$scratch/configure.log" cmake --preset app -B "$linux_build" -DZARVEX_BUILD_BENCHMARKS=ON
quietly "$scratch/build.log" cmake --build "$linux_build" -j2 --target layout-points
quietly "$scratch/configure.log" cmake --preset windows -B "$windows_build" -DZARVEX_BUILD_TESTS=OFF
quietly "$scratch/build.log" cmake --build "$windows_build" -j2 --target zarvex-script-editor
editor=$(realpath "${BENCH_EDITOR_EXE:-$windows_build/window/win32/zarvex-script-editor.exe}")
declare -A point_x point_y
while read -r name x y; do
  point_x[$name]=$x
  point_y[$name]=$y
done < <("$linux_build/tools/layout-points/layout-points")

prefix=$windows_build/wine
tools/wine-run.sh --prefix "$prefix" --prepare
export WINEPREFIX=$PWD/$prefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=
loader=wine
[ -x /usr/lib/wine/wine64 ] && [ -d "$prefix/drive_c/windows/syswow64" ] && loader=/usr/lib/wine/wine64
# A fresh X server and a Wine server bound to it for each script size, warmed by one console start.
start_x_and_wine() {
  start_private_x_server "$scratch" || exit 1
  wineserver --kill 2>/dev/null || true
  wineserver --wait 2>/dev/null || true
  wineserver --persistent </dev/null >/dev/null 2>&1
  "$loader" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
}

now_ms() { date +%s%3N; }
saved="$scratch/run/ASSETS/gamescript.txt"
# Clicks the middle of a control, in screen pixels of the window found at the start.
click() {
  xdotool mousemove --sync $((origin_x + point_x[$1])) $((origin_y + point_y[$1])) click 1
}
# Clicks "Save Script" and waits until the file is written anew; the editor replaces it whole, so
# it appears complete. Then checks that it holds the script and its closing line break.
save_and_wait() {
  local deadline=$((SECONDS + 120))
  rm -f "$saved"
  click Command2
  until [ -f "$saved" ]; do
    [ $SECONDS -lt $deadline ] || { echo "the script was not saved" >&2; exit 1; }
    sleep 0.002
  done
  if [ -n "${1:-}" ] && [ "$(stat -c %s "$saved")" -ne "$1" ]; then
    echo "saved $(stat -c %s "$saved") bytes, not $1" >&2
    exit 1
  fi
}
# Types $1 keys at the start of the script area, an Enter after every nine characters so that no
# line grows long enough to wrap, and saves; sets elapsed to the milliseconds.
type_and_save() {
  local count=$1 started text
  text=$(awk -v count="$count" 'BEGIN { for (i = 1; i <= count; ++i) printf "%s", i % 10 ? "x" : "\n" }')
  click Text6
  xdotool key ctrl+Home
  sleep 0.3
  started=$(now_ms)
  xdotool type --delay 0 "$text"
  # Each Enter is a CR LF in the script area.
  script_bytes=$((script_bytes + count + count / 10))
  save_and_wait $((script_bytes + 2))
  elapsed=$(($(now_ms) - started))
}

median_and_min() {
  sort -n | awk '{ v[++n] = $1 } END {
    m = n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
    printf "%.1f %.1f\n", m, v[1] }'
}

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
declare -A per_key
results=()
for megabytes in $sizes; do
  start_x_and_wine
  rm -rf "$scratch/run"
  mkdir -p "$scratch/run/ASSETS"
  (cd "$scratch/run" && exec "$loader" "$editor") >/dev/null 2>&1 &
  program_pid=$!
  window=""
  for _ in $(seq 600); do
    window=$(xdotool search --onlyvisible --name "^${caption}\$" 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "no window named \"$caption\"" >&2; exit 1; }
  # Without a window manager Wine draws the frame itself: equal borders, the rest above.
  eval "$(xdotool getwindowgeometry --shell "$window")"
  border=$(((WIDTH - point_x[client]) / 2))
  origin_x=$((X + border))
  origin_y=$((Y + HEIGHT - point_y[client] - border))
  sleep 1
  script_bytes=0
  if [ "$megabytes" -gt 0 ]; then
    # Blocks as "Add to Script" writes them; Wine hands the clipboard's LF to the script area as
    # CR LF. Their lines are short: a line long enough to wrap makes Wine's edit control break the
    # whole text into words again on every change, which no change here can avoid.
    awk -v bytes=$((megabytes * 1024 * 1024)) 'BEGIN {
      block = "FREE_FOR_ALL\n  TRACK \"Arena\"\n  USE_TIME_LIMIT 0\n  TIME_LIMIT 0\n" \
        "  USE_WASTED_LIMIT 0\n  WASTED_LIMIT 0\n  USE_RECOVER_DELAY 0\n  RECOVER_DELAY 0\n" \
        "  REPAIR 0\n  SERVER_SET_CAR 0\n  SERVER_CAR \"Ka\"\n  CARS_ON_MAP 0\n  LAPS 1\nEND\n\n"
      for (written = 0; written < bytes; written += length(block) + 15) printf "%s", block
    }' >"$scratch/script.txt"
    xclip -selection clipboard -in "$scratch/script.txt"
    click Text6
    xdotool key ctrl+v
    save_and_wait
    script_bytes=$(($(stat -c %s "$saved") - 2))
  fi
  saves=()
  typed=()
  for _ in $(seq "$repetitions"); do
    type_and_save 1
    saves+=("$elapsed")
    type_and_save $((keys + 1))
    typed+=("$elapsed")
  done
  read -r save_median save_min <<<"$(printf '%s\n' "${saves[@]}" | median_and_min)"
  read -r typed_median typed_min <<<"$(printf '%s\n' "${typed[@]}" | median_and_min)"
  key=$(awk -v t="$typed_median" -v s="$save_median" -v n="$keys" 'BEGIN { printf "%.2f", (t - s) / n }')
  per_key[$megabytes]=$key
  results+=("$(printf '%-18s %14s %14s %20s %12s' "$megabytes MB script" "$save_median [$save_min]" \
    "$typed_median [$typed_min]" "$key" "$(stat -c %s "$saved")")")
  stop_program_and_x_server
  wineserver --kill 2>/dev/null || true
done

echo "== Keystrokes in the script area, Windows under Wine ($keys characters typed, then saved;" \
  "$repetitions repetitions; load before: $load_before, after: $(cut -d' ' -f1-3 /proc/loadavg))"
printf '%-18s %14s %14s %20s %12s\n' "" "1 key, save ms" "$((keys + 1)) keys, save" "ms per keystroke" \
  "file bytes"
printf '%s\n' "${results[@]}"
set -- $sizes
first=$1
for megabytes in $sizes; do
  [ "$megabytes" = "$first" ] && continue
  awk -v a="${per_key[$megabytes]}" -v b="${per_key[$first]}" -v target="$keystroke_target" \
    -v mb="$megabytes" -v first="$first" 'BEGIN {
      if (b <= 0) { printf "keystroke, %s MB against %s MB: - (too small to divide by)\n", mb, first; exit }
      r = a / b
      printf "keystroke, %s MB against %s MB: %.2f (%s %s)\n", mb, first, r,
        r <= target ? "within" : "MISSES", target }'
done
