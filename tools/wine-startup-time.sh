#!/usr/bin/env bash
# Measures how long the Windows editor takes under Wine from its start until its window is on the
# screen, over several runs, and prints the times with their minimum and median.
#   tools/wine-startup-time.sh [runs]      (default 7; builds nothing: run the windows preset first)
# "cold" runs start with no Wine server, as the first Windows program of a session does; "warm"
# runs find Wine's server and system processes already running, which is the editor's own start.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-7}
program=build/windows/window/win32/zarvex-script-editor.exe
prefix=build/windows/wine
caption="Zarvex Script Editor"
[ -f "$program" ] || { echo "no $program: build the windows preset first" >&2; exit 1; }

tools/wine-run.sh --prefix "$prefix" --prepare
export WINEPREFIX=$PWD/$prefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=
loader=wine
[ -x /usr/lib/wine/wine64 ] && [ -d "$prefix/drive_c/windows/syswow64" ] && loader=/usr/lib/wine/wine64

scratch=$(mktemp -d)
xvfb_pid=""
program_pid=""
finish() {
  [ -n "$program_pid" ] && { kill "$program_pid" 2>/dev/null || true; wait "$program_pid" 2>/dev/null || true; }
  wineserver --kill 2>/dev/null || true
  [ -n "$xvfb_pid" ] && { kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; }
  rm -rf "$scratch"
}
trap finish EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$scratch/display" ] && break
  sleep 0.1
done
export DISPLAY=":$(head -n1 "$scratch/display")"
for _ in $(seq 100); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Starts the editor, waits for its window and prints the milliseconds it took; then ends it.
one_start() {
  local started found=""
  started=$(now_ms)
  (cd "$scratch" && exec "$loader" "$OLDPWD/$program") >/dev/null 2>&1 &
  program_pid=$!
  while [ -z "$found" ]; do
    kill -0 "$program_pid" 2>/dev/null || { echo "the editor ended before showing" >&2; exit 1; }
    found=$(xdotool search --onlyvisible --name "^${caption}\$" 2>/dev/null | head -n1 || true)
  done
  echo $(($(now_ms) - started))
  kill "$program_pid" 2>/dev/null || true
  wait "$program_pid" 2>/dev/null || true
  program_pid=""
}

summary() {
  local label=$1
  shift
  local sorted
  sorted=$(printf '%s\n' "$@" | sort -n)
  printf '%-5s runs: %s ms; min %s ms, median %s ms\n' "$label" "$*" \
    "$(head -n1 <<<"$sorted")" "$(sed -n "$(((${#@} + 1) / 2))p" <<<"$sorted")"
}

cold=()
for _ in $(seq "$runs"); do
  wineserver --kill 2>/dev/null || true
  wineserver --wait 2>/dev/null || true
  cold+=("$(one_start)")
done

# One server for all warm runs, with Wine's system processes already started.
wineserver --kill 2>/dev/null || true
wineserver --wait 2>/dev/null || true
wineserver --persistent </dev/null >/dev/null 2>&1
"$loader" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
warm=()
for _ in $(seq "$runs"); do
  warm+=("$(one_start)")
done

summary cold "${cold[@]}"
summary warm "${warm[@]}"
