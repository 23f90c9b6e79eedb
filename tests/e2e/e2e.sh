#!/usr/bin/env bash
# Starts the editor under its own X server for a fresh game folder and drives it by mouse and
# keys. First the keyboard alone: typing at once after start-up, Tab and Shift+Tab round the whole
# tab order, Esc and Enter in every control, a paste into the script area, the arrow keys in every
# option box and button and in a list; then whether a focused option box shows it. Then a typical
# road: ticks "Time Limit", types 300, chooses "Death Race", a track and a car, adds a block, tries
# a bad number (the "Project1" box must appear, block the window, and close). Then it saves and
# compares ASSETS/gamescript.txt with the bytes it must hold. Both windows run it and must write
# the same.
#
#   e2e.sh --program "<command>" --points "<command>" [--timeout <seconds>] [--paste-lone-breaks]
#          [--help-without-display] [--random-keys <count> (--keep-files <dir> | --compare-with <dir>)]
#
# --program  starts the editor; may carry a launcher ("wine /path/editor.exe"). Use absolute paths.
# --points   prints the client size and each control's middle (tools/layout-points).
# --timeout  how long to wait for a window to appear (default 60; a launcher may start slowly).
# --paste-lone-breaks  the pasted text holds a lone LF and a lone CR too. Not for a program under
#            Wine: Wine's clipboard bridge hands a Windows program CR LF for every LF.
# --help-without-display  the Linux program's command line: first with no display at all, --help
#            must print the usage, a missing folder, a file and an empty name end it with status 2,
#            and a start say that it needs a desktop session; then, with the display, an unknown
#            option.
# --random-keys  instead of the steps above: that many seeded sequences of random editing keys
#            (seeds 1 to count, RANDOM_KEY_LENGTH keys each, 25 unless set), the file saved after
#            each; --keep-files puts each file in the folder, --compare-with compares each with the
#            one there, from the other window, and prints the seed, the keys and both files where
#            they differ. RANDOM_KEY_SEEDS="4 17" runs those seeds instead.
set -euo pipefail

program=""
points=""
timeout=60
lone_breaks=false
help_without_display=false
random_keys=0
keep_files=""
compare_with=""
while [ $# -gt 0 ]; do
  case "$1" in
    --program) program=$2; shift 2 ;;
    --points) points=$2; shift 2 ;;
    --timeout) timeout=$2; shift 2 ;;
    --paste-lone-breaks) lone_breaks=true; shift ;;
    --help-without-display) help_without_display=true; shift ;;
    --random-keys) random_keys=$2; shift 2 ;;
    --keep-files) keep_files=$2; shift 2 ;;
    --compare-with) compare_with=$2; shift 2 ;;
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
clipboard_pid=""
# shellcheck source=../../tools/private-x-server.sh
. "$(dirname "$0")/../../tools/private-x-server.sh"

stop() {
  # Only the processes this script started, by their ids.
  [ -z "$clipboard_pid" ] || kill "$clipboard_pid" 2>/dev/null || true
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

# The editor's words on its command line: each row gives the exit status, how many lines the editor
# says itself, the environment, the arguments, and what the output holds. Run in a folder where
# -zarvex is a folder and -zarvey and --zarvey are not: one dash and a word reads as a folder's
# name either way.
check_messages() {
  local want_status want_lines environment arguments text status out said
  while IFS='|' read -r want_status want_lines environment arguments text; do
    status=0
    out=$(cd "$scratch" && eval "env $1 $environment $program $arguments" 2>&1) || status=$?
    said=$(grep -c '^zarvex-script-editor: ' <<<"$out" || true)
    [[ $status == "$want_status" && ($want_lines == "*" || $said == "$want_lines") &&
      $out == *"$text"* ]] ||
      fail "'$environment $program $arguments' ${1:+with $1 }ended with $status: $out"
  done
}

if $help_without_display; then
  mkdir "$scratch/-zarvex"
  touch "$scratch/a file"
  check_messages "-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM" <<ROWS
0|*||--help|[folder]
2|*||'no such folder'|Cannot start in the game folder $scratch/no such folder
2|*||'a file'|Cannot start in the game folder $scratch/a file
2|*||''|The game folder's name is empty
1|1|||zarvex-script-editor: needs a desktop session
1|1||--help-all|needs a desktop session
1|2||-zarvey|put -- before a folder whose name starts with -
1|2||-zarvex|put -- before a folder whose name starts with -
1|1||-q|needs a desktop session
0|*||-platform offscreen --help-all|--platformtheme
0|*|QT_QPA_PLATFORM=offscreen|--help-all|--platformtheme
ROWS
fi

start_private_x_server "$scratch" || fail "no X server of its own"
if $help_without_display; then
  check_messages "" <<'ROWS'
1|2||-zarvex|Unknown options: z, a, r, v, e, x.
1|2||-zarvey|Unknown options: z, a, r, v, e, y.
1|1||--zarvey|Unknown option 'zarvey'.
ROWS
fi

# Started outside the game folder, with the folder as its one argument: the script must land there.
(cd "$scratch" && eval "exec $program work") >"$scratch/program.log" 2>&1 &
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
# Waits for the file Save Script writes; a program under a launcher may take a while.
wait_for_saved_file() {
  local _
  for _ in $(seq 100); do
    [ -s "$script_file" ] && break
    sleep 0.2
  done
  [ -s "$script_file" ] || fail "Save Script wrote no $script_file"
}
# Opening a list by a click shows its entries; Escape closes them and leaves the focus there, and a
# letter then chooses the first entry starting with it, as the keyboard does in any drop-down list.
choose_by_letter() {
  click "$1"
  keys Escape
  type_text "$2"
}

if [ "$random_keys" -gt 0 ]; then
  # shellcheck source=random-keys.sh
  . "$(dirname "$0")/random-keys.sh"
  run_random_keys
  exit 0
fi

# What the paste brings: CR LF, characters Windows-1252 holds and one it lacks, and with
# --paste-lone-breaks a lone LF and a lone CR at the end, so that the typing after it follows them.
pasted='é€☃ CRLF\r\n'
if $lone_breaks; then pasted+='LF\nCR\r'; fi
# Owns the clipboard with this text (printf's escapes) until the next call; the window asks it for
# the text at each paste.
set_clipboard() {
  [ -z "$clipboard_pid" ] || kill "$clipboard_pid" 2>/dev/null || true
  # shellcheck disable=SC2059
  printf "$1" | xclip -quiet -selection clipboard -t UTF8_STRING >/dev/null 2>&1 &
  clipboard_pid=$!
  sleep 0.3
}
set_clipboard "$pasted"

# The keyboard alone, from the start. A step is an xdotool key name, keys joined by commas and
# repeated by *N, =TEXT to type TEXT, or +TEXT to put TEXT (printf's escapes) on the clipboard;
# each row's effect shows in the saved file below. From the
# laps box the focusable controls are Check1-6, Combo1-3, Command1, Command2, Text6, then round.
set -f  # a step's * is no file pattern
while IFS='|' read -r steps effect; do
  for step in $steps; do
    case $step in
      =*) type_text "${step#=}" ;;
      +*) set_clipboard "${step#+}" ;;
      *\**)
        group=${step%\**}
        # shellcheck disable=SC2046
        keys $(for _ in $(seq "${step##*\*}"); do echo "${group//,/ }"; done)
        ;;
      *)
        # shellcheck disable=SC2086
        keys ${step//,/ }
        ;;
    esac
  done
  kill -0 "$program_pid" 2>/dev/null || fail "the program ended at: $steps ($effect)"
done <<'STEPS'
=2                   | start-up focus in the laps box, its text selected: LAPS 2, not 12 or 21
Tab*10 space         | ten Tabs past the disabled boxes reach "Add to Script": the first block
Tab*2 =x             | Tab into the script area after an add keeps the caret: "x" before the block
Escape,Return        | Esc and Enter in the script area: nothing closes, Enter starts a line
Tab,Escape,Return*12 | Esc and Enter in every other control: no button pressed, nothing closes
Tab =y               | the 13th Tab wraps round to the script area, its caret where it was
shift+Tab*13 =z      | and 13 Shift+Tabs the other way round
Tab*2 space          | ticking "Wasted Limit" enables its box, first in the tab order
shift+Tab*2 =7       | Shift+Tab into a value box selects it: WASTED_LIMIT 7
Tab*11 space         | the second block, with the wasted limit
shift+Tab*9 space    | back to "Wasted Limit" and cleared: its box disabled again
shift+Tab =1         | the laps box selected by Shift+Tab: LAPS 1 again
shift+Tab ctrl+v     | Shift+Tab wraps to the script area, caret at its start; paste there
=k Return            | typing and Enter go on after the pasted text
Tab*2 Right,Down,Right,Down,Right space | Right, Down go on as Tab, Check1 to 6: SERVER_SET_CAR 1
Down*2 Right*2 Left  | Down from Check6 to the race list; there Down, Right, Left choose: DEATH_RACE
Tab*3 Up Down        | Up from "Add to Script" goes back to the car list: its first car
Tab Right,Left space | Right from "Add to Script" reaches "Save Script", Left comes back: a block
Down,Up,Right,Down =w | Down and Up between the buttons, Down from "Save Script" to the script area
shift+Tab*6 Up,Left,Up,Left,Up space | Up, Left go back as Shift+Tab, Check6 to 1: WASTED_LIMIT 1
Left =3              | Left from "Wasted Limit" back to the laps box, its text selected: LAPS 3
Tab*10 space         | a block with the wasted limit, the server's car and 3 laps
shift+Tab*4 space shift+Tab*5 space shift+Tab =1 | both boxes cleared, laps 1 again
=2 Up,Up,Down shift+Down =3 Tab*10 space | in a value box Up and Down move as Left and Right: LAPS 13
shift+Tab*10 +12\r\n34 ctrl+v =5 ctrl+z Tab*10 space | a paste keeps its first line; undo: LAPS 12
shift+Tab*10 End ctrl+a =1 | Ctrl+A selects the whole box: laps 1 again
shift+Tab =u shift+Tab*2 space Tab*2 ctrl+z*2 ctrl+y | undo takes back an add, then the typing; redo
=v ctrl+z ctrl+shift+z =q alt+BackSpace | Ctrl+Shift+Z redoes, Alt+Backspace undoes: "uv"
space =abc space =def ctrl+BackSpace ctrl+Left ctrl+Delete | Ctrl+Backspace and Ctrl+Delete: words
ctrl+Right*2 ctrl+shift+Left =W | Ctrl+Right twice, Ctrl+Shift+Left selects "CRLF": "uv w... W"
Home =H End =E Insert =i | Home, End, and Insert types with no overwrite: "Huv w... WEi"
shift+Home ctrl+Insert shift+Delete shift+Insert*2 | Ctrl+Insert copies, Shift+Delete cuts, Shift+Insert pastes
ctrl+Home =A ctrl+End =Z Tab | Ctrl+Home and Ctrl+End; Tab wraps round to the laps box
STEPS
set +f
[ ! -e "$script_file" ] || fail "a key pressed \"Save Script\""

# Focus shows: an option box looks different with the focus, and the same again without it.
shot() {  # control, file: the pixels of the control's 13-pixel box and one pixel around
  import -window root -crop 15x15+$((origin_x + point_x[$1] - 7))+$((origin_y + point_y[$1] - 7)) \
    -depth 8 "rgb:$2"
}
shot Check1 "$scratch/unfocused.rgb"
keys Tab
shot Check1 "$scratch/focused.rgb"
keys shift+Tab
shot Check1 "$scratch/left.rgb"
! cmp -s "$scratch/unfocused.rgb" "$scratch/focused.rgb" ||
  fail "Check1 looks the same after a Tab from the laps box: no focus shown"
cmp -s "$scratch/unfocused.rgb" "$scratch/left.rgb" || fail "Check1 keeps a mark of the focus"

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
wait_for_saved_file

# The whole file as the game reads it, in Windows-1252 ("?" for what it lacks): the paste's first
# line as the editing keys left it, the typing around it, the keyboard blocks, the Death Race block,
# and the line break the save adds. CR LF throughout, but for the lone breaks pasted.
block() {  # mode, track, time limit on and value, wasted limit on and value, car, laps, server car
  printf '%s\r\n' "$1" "  TRACK \"$2\"" "  USE_TIME_LIMIT $3" "  TIME_LIMIT $4" \
    "  USE_WASTED_LIMIT $5" "  WASTED_LIMIT $6" '  USE_RECOVER_DELAY 0' '  RECOVER_DELAY 0' \
    '  REPAIR 0' "  SERVER_SET_CAR ${9:-0}" "  SERVER_CAR \"$7\"" '  CARS_ON_MAP 0' "  LAPS $8" \
    END ''
}
{
  printf 'AHuv w\xe9\x80? WEiHuv w\xe9\x80? WEi\r\n'
  if $lone_breaks; then printf 'LF\nCR\r'; fi
  printf 'k\r\nx\r\nyz'
  block FREE_FOR_ALL '' 0 0 0 0 '' 2
  block FREE_FOR_ALL '' 0 0 1 7 '' 2
  block DEATH_RACE '' 0 0 0 0 BumblyBee 1 1
  block DEATH_RACE '' 0 0 1 1 BumblyBee 3 1
  block DEATH_RACE '' 0 0 0 0 BumblyBee 13
  block DEATH_RACE '' 0 0 0 0 BumblyBee 12
  printf Z
  block DEATH_RACE Refinery 1 300 0 0 Semi 1
  printf '\r\n'
} >"$scratch/expected.txt"

if ! cmp -s "$scratch/expected.txt" "$script_file"; then
  echo "--- expected" >&2
  od -c "$scratch/expected.txt" >&2
  echo "--- saved" >&2
  od -c "$script_file" >&2
  fail "the saved script differs"
fi
kill -0 "$program_pid" 2>/dev/null || fail "the program ended before it was closed"
echo "1 passed, 0 failed"
