#!/usr/bin/env bash
# Runs one Windows program under Wine in a Wine prefix of its own (the Windows build's tests use
# it as their emulator) and passes the program's exit code on.
#
#   wine-run.sh --prefix <folder> [--gui] [--] <program.exe> [arguments...]
#   wine-run.sh --prefix <folder> --prepare
#
# The prefix is created on first use, once, under a lock, so that programs started side by side
# wait for it instead of each building one; --prepare only does that (the build runs it, so that
# no test spends its time limit on it). Console programs share a Wine server that ends by itself
# five seconds after the last of them. With --gui the program has the prefix to itself, an X
# server of its own unless DISPLAY is set, and a fresh Wine server that is ended afterwards,
# before that X server is stopped. WINEDEBUG is -all unless set.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
prefix=""
gui=false
prepare=false
while [ $# -gt 0 ]; do
  case "$1" in
    --prefix) prefix=$2; shift 2 ;;
    --gui) gui=true; shift ;;
    --prepare) prepare=true; shift ;;
    --) shift; break ;;
    *) break ;;
  esac
done
if [ -z "$prefix" ] || { [ $# -eq 0 ] && ! $prepare; }; then
  echo "usage: $0 --prefix <folder> [--gui] [--] <program.exe> [arguments...]" >&2
  echo "       $0 --prefix <folder> --prepare" >&2
  exit 2
fi
mkdir -p "$(dirname "$prefix")"
prefix=$(cd "$(dirname "$prefix")" && pwd)/$(basename "$prefix")

"$here/i386-emulation.sh"

export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono, no Gecko and no desktop menu entries: the editor needs none, and each slows the start.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=}
# With the 64-bit loader the prefix is a 64-bit one: Wine's own system processes then run natively,
# and only the 32-bit program itself needs a 32-bit loader (emulated on some machines). That
# makes a cold start about twice as fast.
loader64=/usr/lib/wine/wine64
# Wine's system processes outlive the program; they must not hold on to its output, or whoever
# reads that output (CTest) waits for them.
# Nor may they inherit the prefix's lock, which is this script's alone.
quietly() { "$@" </dev/null >/dev/null 2>&1 {lock}>&-; }

exec {lock}>"$prefix.lock"
if [ ! -e "$prefix/.ready" ]; then
  flock "$lock"
  if [ ! -e "$prefix/.ready" ]; then
    rm -rf "$prefix"
    started=$SECONDS
    creator=(wine)
    [ -x "$loader64" ] && creator=("$loader64")
    (unset DISPLAY; "${creator[@]}" wineboot --init </dev/null >"$prefix.log" 2>&1 {lock}>&- &&
      wineserver --wait)
    echo "$((SECONDS - started))" >"$prefix/.ready"
    echo "wine-run: created the Wine prefix $prefix in $((SECONDS - started)) s" >&2
  fi
  flock --unlock "$lock"
fi
$prepare && exit 0

launcher=(wine)
if [ -x "$loader64" ] && [ -d "$prefix/drive_c/windows/syswow64" ]; then
  launcher=("$loader64")
fi

xvfb_pid=""
# shellcheck source=private-x-server.sh
. "$here/private-x-server.sh"
program_pid=""
scratch=$(mktemp -d)
finish() {
  if [ -n "$program_pid" ]; then
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
  fi
  if $gui; then
    wineserver --kill 2>/dev/null || true
    wineserver --wait 2>/dev/null || true
  fi
  stop_private_x_server
  rm -rf "$scratch"
}
trap finish EXIT
trap 'exit 143' TERM
trap 'exit 130' INT

if $gui; then
  # The Wine server keeps the display of the process that started it: start a fresh one here.
  flock "$lock"
  wineserver --kill 2>/dev/null || true
  wineserver --wait 2>/dev/null || true
  if [ -z "${DISPLAY:-}" ]; then
    start_private_x_server "$scratch" || exit 1
  fi
  fresh_server=true
  quietly wineserver
else
  flock --shared "$lock"
  # Starts the shared server unless one runs already (then it fails), and keeps it five seconds
  # past the last program, so tests run one after another do not each wait for Wine to start.
  fresh_server=false
  quietly wineserver --persistent=5 && fresh_server=true
fi
if $fresh_server; then
  # Wine's system processes start with the first program; let them start detached from ours.
  quietly "${launcher[@]}" cmd.exe /c exit || true
fi

"${launcher[@]}" "$@" {lock}>&- &
program_pid=$!
status=0
wait "$program_pid" || status=$?
program_pid=""
exit "$status"
