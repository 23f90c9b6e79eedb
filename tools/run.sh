#!/usr/bin/env bash
# Builds the Linux editor and starts it in a game folder, so that Save Script has somewhere to
# write: the folder given as the argument, or build/game with an empty ASSETS folder made for it.
# Installs the Debian packages it needs when they are missing; first it makes sure there is a
# display to show the editor on.
#   tools/run.sh [game folder]
set -euo pipefail
usage="usage: tools/run.sh [game folder]   (a relative folder is taken from where you are)"

# The folder is made absolute before leaving the caller's directory for the repository's.
game=""
case $# in
  0) ;;
  1)
    if [ "$1" = --help ] || [ "$1" = -h ]; then
      echo "$usage"
      exit 0
    fi
    [ -d "$1" ] || { echo "run.sh: no folder $1" >&2; exit 2; }
    game=$(cd -- "$1" && pwd)
    ;;
  *) echo "run.sh: give at most one argument" >&2; echo "$usage" >&2; exit 2 ;;
esac
# Before minutes of installing and building: the editor would only say the same at the end.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run.sh: the editor needs a desktop session, and neither DISPLAY nor WAYLAND_DISPLAY is set:" \
    "run this from a terminal in your desktop, or over ssh -X from one" >&2
  exit 1
fi
cd "$(dirname "$0")/.."
if [ -z "$game" ]; then
  game=$PWD/build/game
  mkdir -p "$game/ASSETS"
fi

tools/install-packages.sh run
cmake --preset app >/dev/null
cmake --build --preset app
echo "Save Script writes $game/ASSETS/gamescript.txt"
[ -d "$game/ASSETS" ] || echo "(there is no ASSETS folder in $game yet: saving will fail until there is)"
exec build/app/window/qt/zarvex-script-editor "$game"
