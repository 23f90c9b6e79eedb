#!/usr/bin/env bash
# Starts a program under a private X server, waits for its window and saves a picture of it.
#   tools/screenshot.sh <program-command...> <out.png>
# The command may carry a launcher ("wine editor.exe"). The window is found by its caption,
# "Zarvex Script Editor" unless WINDOW_CAPTION says otherwise; START_TIMEOUT (seconds, default 60)
# bounds the wait. The program starts in a fresh temporary folder, so it can write nothing here.
set -euo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 <program-command...> <out.png>" >&2
  exit 2
fi
out=${*: -1}
program=("${@:1:$#-1}")
caption=${WINDOW_CAPTION:-Zarvex Script Editor}
timeout=${START_TIMEOUT:-60}
case "$out" in /*) ;; *) out="$PWD/$out" ;; esac
# The program runs elsewhere: paths given relative to here must still lead to their files.
for i in "${!program[@]}"; do
  case "${program[$i]}" in
    /*) ;;
    */*) [ -e "${program[$i]}" ] && program[$i]="$PWD/${program[$i]}" ;;
  esac
done

scratch=$(mktemp -d)
xvfb_pid=""
program_pid=""
# shellcheck source=private-x-server.sh
. "$(dirname "$0")/private-x-server.sh"
stop() {
  # Only the processes this script started, by their ids.
  stop_program_and_x_server
  rm -rf "$scratch"
}
trap stop EXIT

start_private_x_server "$scratch" || exit 1

(cd "$scratch" && exec "${program[@]}") >"$scratch/program.log" 2>&1 &
program_pid=$!

window=""
deadline=$((SECONDS + timeout))
while [ -z "$window" ] && [ $SECONDS -lt $deadline ] && kill -0 "$program_pid" 2>/dev/null; do
  window=$(xdotool search --onlyvisible --name "^${caption}\$" 2>/dev/null | head -n1 || true)
  [ -z "$window" ] && sleep 0.2
done
if [ -z "$window" ]; then
  echo "no window named \"$caption\" within ${timeout}s" >&2
  cat "$scratch/program.log" >&2
  exit 1
fi
# Let the first paint finish.
sleep 1
import -window "$window" "$out"
echo "$out"
