#!/usr/bin/env bash
# Builds and runs every test: the Linux build with its window tests, the sanitizer build, a short
# fuzzing run built with clang, and the Windows build under Wine. Installs the Debian packages it
# needs when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-packages.sh test

for preset in default asan fuzz windows; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
