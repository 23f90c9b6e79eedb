#!/usr/bin/env bash
# Builds the Linux editor and starts it in a game folder, so that Save Script has somewhere to
# write: the folder given as the argument, or build/game with an empty ASSETS folder made for it.
# Installs the Debian packages it needs when they are missing.
#   tools/run.sh [game folder]
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -gt 0 ]; then
  game=$1
  [ -d "$game" ] || { echo "run.sh: no folder $game" >&2; exit 2; }
else
  game=build/game
  mkdir -p "$game/ASSETS"
fi
game=$(cd "$game" && pwd)

tools/install-packages.sh run
cmake --preset app >/dev/null
cmake --build --preset app
echo "Save Script writes $game/ASSETS/gamescript.txt"
[ -d "$game/ASSETS" ] || echo "(there is no ASSETS folder in $game yet: saving will fail until there is)"
exec build/app/window/qt/zarvex-script-editor "$game"
