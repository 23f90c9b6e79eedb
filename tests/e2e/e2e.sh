#!/usr/bin/env bash
# Starts the editor under its own X server in a fresh working folder and drives it by mouse and
# keys: ticks "Time Limit", types 300, chooses "Death Race", a track and a car, adds a block, tries
# a bad number (the "Project1" box must appear, block the window, and close), then saves, and
# compares ASSETS/gamescript.txt with the bytes it must hold.
#
#   e2e.sh --program "<command>" --points "<command>" [--timeout <seconds>]
#
# --program  starts the editor; may carry a launcher ("wine /path/editor.exe"). Use absolute paths.
# --points   prints the client size and each control's middle (tools/layout-points).
# --timeout  how long to wait for a window to appear (default 60; a launcher may start slowly).
set -euo pipefail

program=""
points=""
timeout=60
while [ $# -gt 0 ]; do
  case "$1" in
    --program) program=$2; shift 2 ;;
    --points) points=$2; shift 2 ;;
    --timeout) timeout=$2; shift 2 ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
  esac
done
if [ -z "$program" ] || [ -z "$points" ]; then
  echo "usage: $0 --program \"<command>\" --points \"<command>\" [--timeout <seconds>]" >&2
  exit 2
fi

scratch=$(mktemp -d)
work="$scratch/work"
mkdir -p "$work/ASSETS"
script_file="$work/ASSETS/gamescript.txt"
xvfb_pid=""
program_pid=""
# shellcheck source=../../tools/private-x-server.sh
. "$(dirname "$0")/../../tools/private-x-server.sh"

stop() {
  # Only the processes this script started, by their ids.
  stop_program_and_x_server
  rm -rf "$scratch"
}
trap stop EXIT

fail() {
  echo "FAIL: $*" >&2
  if [ -n "${DISPLAY:-}" ]; then
    local picture
    picture=$(mktemp --suffix=.png /tmp/e2e-failure-XXXXXX)
    import -window root "$picture" 2>/dev/null && echo "screen at failure: $picture" >&2
  fi
  echo "--- program output" >&2
  cat "$scratch/program.log" >&2 || true
  exit 1
}

# The layout: client size and each control's middle, by name.
declare -A point_x point_y
client_width=0
client_height=0
while read -r name x y; do
  if [ "$name" = client ]; then
    client_width=$x
    client_height=$y
  else
    point_x[$name]=$x
    point_y[$name]=$y
  fi
done < <(eval "$points")
[ "$client_width" -gt 0 ] || fail "no client size from: $points"

start_private_x_server "$scratch" || fail "no X server of its own"

(cd "$work" && eval "exec $program") >"$scratch/program.log" 2>&1 &
program_pid=$!

# Prints the id of the visible window with exactly this title, waiting up to the timeout.
wait_for_window() {
  local title=$1 wait_seconds=$2 found=""
  local deadline=$((SECONDS + wait_seconds))
  while [ $SECONDS -lt $deadline ]; do
    if ! kill -0 "$program_pid" 2>/dev/null; then
      echo "the program ended while waiting for \"$title\"" >&2
      return 1
    fi
    found=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1 || true)
    if [ -n "$found" ]; then
      echo "$found"
      return 0
    fi
    sleep 0.2
  done
  return 1
}

window_gone() {
  ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1
}

window=$(wait_for_window "Zarvex Script Editor" "$timeout") ||
  fail "no window titled \"Zarvex Script Editor\" within ${timeout}s"

# Without a window manager the window is the client area. A window that draws its own frame is
# larger: take equal borders left, right and below, and the rest above as its title bar.
eval "$(xdotool getwindowgeometry --shell "$window")"
border=$(((WIDTH - client_width) / 2))
origin_x=$((X + border))
origin_y=$((Y + HEIGHT - client_height - border))
[ "$border" -ge 0 ] || fail "window ${WIDTH}x${HEIGHT} is smaller than its client area"

xdotool windowfocus "$window" 2>/dev/null || true
sleep 0.5

click() {
  local name=$1
  [ -n "${point_x[$name]:-}" ] || fail "no point for $name"
  xdotool mousemove --sync $((origin_x + point_x[$name])) $((origin_y + point_y[$name])) click 1
  sleep 0.3
}
keys() {
  xdotool key --delay 50 "$@"
  sleep 0.3
}
type_text() {
  xdotool type --delay 50 "$1"
  sleep 0.3
}
# Opening a list by a click shows its entries; Escape closes them and leaves the focus there, and a
# letter then chooses the first entry starting with it, as the keyboard does in any drop-down list.
choose_by_letter() {
  click "$1"
  keys Escape
  type_text "$2"
}

# The typical road.
click Check2
click Text2
keys End BackSpace
type_text 300
choose_by_letter Combo1 D
choose_by_letter Combo2 R
choose_by_letter Combo3 S
click Command1

# A bad number: the message box appears, blocks the window, and closes with its OK button.
click Text5
keys End BackSpace
type_text x
click Command1
box=$(wait_for_window "Project1" "$timeout") || fail "no \"Project1\" message box"
click Command2
sleep 1
[ ! -e "$script_file" ] || fail "the window saved while the message box was open"
xdotool windowfocus "$box" 2>/dev/null || true
sleep 0.3
keys Return
for _ in $(seq 50); do
  window_gone "Project1" && break
  sleep 0.2
done
window_gone "Project1" || fail "the message box did not close"
xdotool windowfocus "$window" 2>/dev/null || true
sleep 0.3

click Command2
for _ in $(seq 50); do
  [ -s "$script_file" ] && break
  sleep 0.2
done
[ -s "$script_file" ] || fail "Save Script wrote no $script_file"

# One Death Race block as the game reads it, then the line break the save adds; CR LF throughout.
printf '%s\r\n' \
  'DEATH_RACE' \
  '  TRACK "Refinery"' \
  '  USE_TIME_LIMIT 1' \
  '  TIME_LIMIT 300' \
  '  USE_WASTED_LIMIT 0' \
  '  WASTED_LIMIT 0' \
  '  USE_RECOVER_DELAY 0' \
  '  RECOVER_DELAY 0' \
  '  REPAIR 0' \
  '  SERVER_SET_CAR 0' \
  '  SERVER_CAR "Semi"' \
  '  CARS_ON_MAP 0' \
  '  LAPS 1' \
  'END' \
  '' \
  '' >"$scratch/expected.txt"

if ! cmp -s "$scratch/expected.txt" "$script_file"; then
  echo "--- expected" >&2
  od -c "$scratch/expected.txt" >&2
  echo "--- saved" >&2
  od -c "$script_file" >&2
  fail "the saved script differs"
fi
kill -0 "$program_pid" 2>/dev/null || fail "the program ended before it was closed"
echo "1 passed, 0 failed"
