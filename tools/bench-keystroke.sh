#!/usr/bin/env bash
# Times keystrokes in the Windows program's script area under Wine, with an empty script and with
# a large one, beside Wine's 32-bit Notepad (word wrap on) holding the same text: xdotool types
# characters at the start of the text, then saves ("Save Script" in the editor, Ctrl+S in
# Notepad), and the time runs until the file is written. The same with one character typed is the
# save with its one reading of the text; the difference over the further characters is one
# keystroke, on the clock and in the program's own processor time (which a busy machine does not
# inflate). Prints the median and fastest repetition of each, and the editor's keystroke against
# Notepad's at the same size.
#   tools/bench-keystroke.sh                       50 characters, 0 and 5 MB, 5 repetitions
#   BENCH_KEYSTROKES=50 BENCH_REPETITIONS=7 BENCH_SCRIPT_MB="0 1 5" tools/bench-keystroke.sh
#   BENCH_EDITOR_EXE=other.exe tools/bench-keystroke.sh   another build of the editor, to compare
# Builds the Windows program in Release as tools/bench-startup.sh does, in the same folder. The
# large script is pasted into the editor once through the clipboard, as a user might, and saved
# once before timing; Notepad opens it as a file. Word wrap is Notepad's own setting (fWrap) in
# this benchmark's Wine prefix: the editor's script area wraps long lines too.
set -euo pipefail
cd "$(dirname "$0")/.."

keys=${BENCH_KEYSTROKES:-50}
repetitions=${BENCH_REPETITIONS:-5}
sizes=${BENCH_SCRIPT_MB:-0 5}
linux_build=build/startup-helper
windows_build=build/startup-helper-windows
caption="Zarvex Script Editor"
# The target, reported and not enforced: a keystroke costs the editor no more than Notepad.
keystroke_target=1

if ! command -v i686-w64-mingw32-g++-win32 >/dev/null || ! command -v wineserver >/dev/null; then
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

# shellcheck source=quietly.sh
. "$PWD/tools/quietly.sh"
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

# Notepad's 32-bit build, like the editor, with word wrap on.
notepad=notepad
[ -d "$prefix/drive_c/windows/syswow64" ] && notepad='C:\windows\syswow64\notepad.exe'
"$loader" reg add 'HKCU\Software\Microsoft\Notepad' /v fWrap /t REG_DWORD /d 1 /f \
  </dev/null >/dev/null 2>&1
wineserver --wait 2>/dev/null || true

now_ms() { date +%s%3N; }
# The processor time the program's own process has used, in milliseconds: under a load it grows
# as the work does, where the time on the clock also counts the waits for a core.
clock_ticks=$(getconf CLK_TCK)
cpu_ms() {
  sed 's/.*) //' "/proc/$cpu_pid/stat" |
    awk -v ticks="$clock_ticks" '{ printf "%d\n", ($12 + $13) * 1000 / ticks }'
}
# Sets cpu_pid to the process that runs the Windows program named $1: Wine starts it beside the
# launcher. Other work on this machine may run the same program, though not in this Wine prefix.
find_process() {
  local pid
  cpu_pid=""
  for pid in $(pgrep -f -- "$1"); do
    if [ "$pid" != "$program_pid" ] &&
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
      cpu_pid=$pid
    fi
  done
  [ -n "$cpu_pid" ] || { echo "no process runs $1" >&2; exit 1; }
}
# Waits for the window named $1 and sets X, Y, WIDTH and HEIGHT to its place on the screen.
find_window() {
  local name=$1 window=""
  for _ in $(seq 600); do
    window=$(xdotool search --onlyvisible --name "^${name}\$" 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "no window named \"$name\"" >&2; exit 1; }
  # Without a window manager Wine draws the frame itself: equal borders, the rest above.
  eval "$(xdotool getwindowgeometry --shell "$window")"
}
# Clicks the middle of one of the editor's controls, in screen pixels.
click() {
  xdotool mousemove --sync $((origin_x + point_x[$1])) $((origin_y + point_y[$1])) click 1
}

# What differs between the two programs: where the text is clicked, how it is saved, where the
# file goes and what the save adds to the text.
editor_click_text() { click Text6; }
editor_save() { click Command2; }
# Notepad's text fills its window but for the menu bar.
notepad_click_text() { xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1; }
notepad_save() { xdotool key ctrl+s; }

# The script's text: blocks as "Add to Script" writes them, with short lines. A line long enough
# to wrap makes Wine's edit control break the whole text into words again on every change, which
# no change here can avoid.
write_script() {
  awk -v bytes=$(($1 * 1024 * 1024)) 'BEGIN {
    block = "FREE_FOR_ALL\n  TRACK \"Arena\"\n  USE_TIME_LIMIT 0\n  TIME_LIMIT 0\n" \
      "  USE_WASTED_LIMIT 0\n  WASTED_LIMIT 0\n  USE_RECOVER_DELAY 0\n  RECOVER_DELAY 0\n" \
      "  REPAIR 0\n  SERVER_SET_CAR 0\n  SERVER_CAR \"Ka\"\n  CARS_ON_MAP 0\n  LAPS 1\nEND\n\n"
    for (written = 0; written < bytes; written += length(block) + 15) printf "%s", block
  }'
}

# Starts the editor in a fresh folder and gives it the script of $1 MB through the clipboard, as a
# user might; Wine hands the clipboard's LF to the script area as CR LF.
open_editor() {
  local megabytes=$1
  program=editor
  saved="$scratch/run/ASSETS/gamescript.txt"
  closing_bytes=2
  rm -rf "$scratch/run"
  mkdir -p "$scratch/run/ASSETS"
  (cd "$scratch/run" && exec "$loader" "$editor") >/dev/null 2>&1 &
  program_pid=$!
  find_window "$caption"
  find_process "$(basename "$editor")"
  # Without a window manager Wine draws the frame itself: equal borders, the rest above.
  local border=$(((WIDTH - point_x[client]) / 2))
  origin_x=$((X + border))
  origin_y=$((Y + HEIGHT - point_y[client] - border))
  sleep 1
  script_bytes=0
  if [ "$megabytes" -gt 0 ]; then
    write_script "$megabytes" >"$scratch/script.txt"
    # xclip stays to serve the clipboard until its X server stops, and then says so.
    xclip -selection clipboard -in "$scratch/script.txt" 2>/dev/null
    click Text6
    xdotool key ctrl+v
    save_and_wait
    script_bytes=$(($(stat -c %s "$saved") - closing_bytes))
  fi
}

# Starts Notepad on a file holding the same text, with CR LF between lines as Windows keeps it.
open_notepad() {
  local megabytes=$1
  program=notepad
  saved="$scratch/notepad/script.txt"
  closing_bytes=0
  rm -rf "$scratch/notepad"
  mkdir -p "$scratch/notepad"
  write_script "$megabytes" | sed 's/$/\r/' >"$saved"
  (cd "$scratch/notepad" && exec "$loader" "$notepad" script.txt) >/dev/null 2>&1 &
  program_pid=$!
  find_window "script.txt - Notepad"
  find_process notepad.exe
  sleep 1
  script_bytes=$(stat -c %s "$saved")
}

# Saves and waits until the file is written anew, then checks that it holds the text (and the
# editor's closing line break) when $1 gives the length.
save_and_wait() {
  local deadline=$((SECONDS + 120))
  rm -f "$saved"
  "${program}_save"
  until [ -f "$saved" ] && { [ -z "${1:-}" ] || [ "$(stat -c %s "$saved")" -ge "$1" ]; }; do
    [ $SECONDS -lt $deadline ] || { echo "the $program did not save the text" >&2; exit 1; }
    sleep 0.002
  done
  if [ -n "${1:-}" ] && [ "$(stat -c %s "$saved")" -ne "$1" ]; then
    echo "the $program saved $(stat -c %s "$saved") bytes, not $1" >&2
    exit 1
  fi
}
# Types $1 keys at the start of the text, an Enter after every nine characters so that no line
# grows long enough to wrap, and saves; sets elapsed to the milliseconds on the clock and cpu to
# those of the program's processor time.
type_and_save() {
  local count=$1 started cpu_before text
  text=$(awk -v count="$count" 'BEGIN { for (i = 1; i <= count; ++i) printf "%s", i % 10 ? "x" : "\n" }')
  "${program}_click_text"
  xdotool key ctrl+Home
  sleep 0.3
  cpu_before=$(cpu_ms)
  started=$(now_ms)
  xdotool type --delay 0 "$text"
  # Each Enter is a CR LF in the text.
  script_bytes=$((script_bytes + count + count / 10))
  save_and_wait $((script_bytes + closing_bytes))
  elapsed=$(($(now_ms) - started))
  cpu=$(($(cpu_ms) - cpu_before))
}

median_and_min() {
  sort -n | awk '{ v[++n] = $1 } END {
    m = n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
    printf "%.1f %.1f\n", m, v[1] }'
}
# The median of the further keys' cost over one key, $1 and $2 each a list of figures.
per_key_of() {
  local typed saved
  typed=$(tr ' ' '\n' <<<"$1" | median_and_min | cut -d' ' -f1)
  saved=$(tr ' ' '\n' <<<"$2" | median_and_min | cut -d' ' -f1)
  awk -v t="$typed" -v s="$saved" -v n="$keys" 'BEGIN { printf "%.2f", (t - s) / n }'
}

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
declare -A per_key cpu_per_key
results=()
for megabytes in $sizes; do
  for opened in editor notepad; do
    start_x_and_wine
    "open_$opened" "$megabytes"
    saves=()
    typed=()
    save_cpu=()
    typed_cpu=()
    for _ in $(seq "$repetitions"); do
      type_and_save 1
      saves+=("$elapsed")
      save_cpu+=("$cpu")
      type_and_save $((keys + 1))
      typed+=("$elapsed")
      typed_cpu+=("$cpu")
    done
    read -r save_median save_min <<<"$(printf '%s\n' "${saves[@]}" | median_and_min)"
    read -r typed_median typed_min <<<"$(printf '%s\n' "${typed[@]}" | median_and_min)"
    per_key[$opened $megabytes]=$(per_key_of "${typed[*]}" "${saves[*]}")
    cpu_per_key[$opened $megabytes]=$(per_key_of "${typed_cpu[*]}" "${save_cpu[*]}")
    results+=("$(printf '%-18s %14s %14s %12s %12s %10s' "$opened, $megabytes MB" \
      "$save_median [$save_min]" "$typed_median [$typed_min]" "${per_key[$opened $megabytes]}" \
      "${cpu_per_key[$opened $megabytes]}" "$(stat -c %s "$saved")")")
    stop_program_and_x_server
    wineserver --kill 2>/dev/null || true
  done
done

# 32-bit code runs through qemu's emulation only where tools/i386-emulation.sh registered it.
how="32-bit code natively"
grep -qx enabled /proc/sys/fs/binfmt_misc/qemu-i386 2>/dev/null && how="32-bit code through qemu's emulation"
echo "== Keystrokes, Windows under Wine ($how): the editor's script area and Wine's Notepad," \
  "word wrap on ($keys characters typed, then saved; $repetitions repetitions; load before:" \
  "$load_before, after: $(cut -d' ' -f1-3 /proc/loadavg))"
printf '%-18s %14s %14s %12s %12s %10s\n' "" "1 key, save ms" "$((keys + 1)) keys, save" \
  "ms per key" "CPU ms/key" "bytes"
printf '%s\n' "${results[@]}"
# The editor against Notepad at each size, then each against itself at the first size, for
# information.
ratio() {
  awk -v a="$2" -v b="$3" -v target="$4" -v what="$1" 'BEGIN {
    if (b <= 0) { printf "%s: - (too small to divide by)\n", what; exit }
    r = a / b
    if (target == "-") printf "%s: %.2f\n", what, r
    else printf "%s: %.2f (%s %s)\n", what, r, r <= target ? "within" : "MISSES", target }'
}
for megabytes in $sizes; do
  ratio "keystroke at $megabytes MB, editor against Notepad, time" "${per_key[editor $megabytes]}" \
    "${per_key[notepad $megabytes]}" "$keystroke_target"
  ratio "keystroke at $megabytes MB, editor against Notepad, CPU" \
    "${cpu_per_key[editor $megabytes]}" "${cpu_per_key[notepad $megabytes]}" "$keystroke_target"
done
first=${sizes%% *}
for megabytes in $sizes; do
  [ "$megabytes" = "$first" ] && continue
  for opened in editor notepad; do
    ratio "keystroke in the $opened, $megabytes MB against $first MB, time" \
      "${per_key[$opened $megabytes]}" "${per_key[$opened $first]}" -
  done
done
