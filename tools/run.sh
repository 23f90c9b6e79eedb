#!/usr/bin/env bash
# Builds the Linux editor and starts it. Installs the Debian packages it needs when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-packages.sh run
cmake --preset app >/dev/null
cmake --build --preset app
exec build/app/window/qt/zarvex-script-editor
