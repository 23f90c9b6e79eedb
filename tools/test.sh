#!/usr/bin/env bash
# Builds and runs every test: the Linux build with its window tests, the sanitizer build, a short
# fuzzing run built with clang, and the Windows build under Wine; then builds the Debian package and
# the Windows zip and checks them. Installs the Debian packages it needs when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-packages.sh test

for preset in default asan fuzz windows; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

echo "== packages"
cmake --preset app >/dev/null
cmake --build --preset app
cpack --preset app >/dev/null
cpack --preset windows >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/app/CMakeCache.txt)
deb=build/app/zarvex-script-editor_${version}_amd64.deb
zip=build/windows/zarvex-script-editor-${version}-win32.zip
unpacked=build/app/unpacked
rm -rf "$unpacked" && dpkg-deb -x "$deb" "$unpacked"
# Each check fails on any error or warning (appstreamcli on anything but pedantic hints);
# desktop-file-validate fails only on errors, so anything it says counts.
lintian --fail-on error,warning "$deb"
out=$(desktop-file-validate "$unpacked"/usr/share/applications/*.desktop 2>&1) && [ -z "$out" ] || { echo "$out"; exit 1; }
appstreamcli validate --no-net --strict "$unpacked"/usr/share/metainfo/*.metainfo.xml
unzip -p "$zip" '*/README.txt' | file - | grep -q 'with CRLF line terminators' || { echo "$zip: README.txt not in CR LF"; exit 1; }
unzip -p "$zip" '*/zarvex-script-editor.exe' | strings -el -n3 | grep -x "$version" >/dev/null || { echo "$zip: the exe is not version $version"; exit 1; }
# What Windows reads and Wine does not hold the exe to: its manifest, imports that XP SP3 has, and
# header versions XP loads.
exe=build/windows/shipped.exe
unzip -p "$zip" '*/zarvex-script-editor.exe' >"$exe"
tools/check-windows-exe.py manifest "$exe"
tools/check-windows-exe.py imports "$exe" packaging/xp-sp3-imports.txt
tools/check-windows-exe.py versions "$exe"
echo "packages: $deb and $zip pass lintian, desktop-file-validate and appstreamcli; the exe's manifest, imports and versions pass"
