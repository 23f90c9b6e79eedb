#!/usr/bin/env bash
# Builds and runs every test: the Linux build with its window tests, the sanitizer build, a short
# fuzzing run built with clang, and the Windows build under Wine; then builds the Debian package and
# the Windows zip and checks them. Installs the Debian packages it needs when they are missing,
# after trying the set-up scripts under stand-ins.
set -euo pipefail
cd "$(dirname "$0")/.."

# The set-up under stand-ins for apt-get, dpkg, sudo and cmake (no root needed): the package step
# past a mirror half way through a sync, and the run command with no display.
check_set_up() {
  local fake status out
  fake=$(mktemp -d)
  cat >"$fake/apt-get" <<'FAKE'
#!/usr/bin/env bash
echo "apt-get $*" >>"$FAKE/calls"
case "$*" in
  *update*)
    left=$(cat "$FAKE/failing-updates")
    [ "$left" = 0 ] && exit 0
    [ "$left" = all ] || echo $((left - 1)) >"$FAKE/failing-updates"
    echo "E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 192.0.2.1 80]"
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
    exit 100 ;;
  *APT::Default-Release=*) [ "$(cat "$FAKE/install")" = never ] || exit 0 ;;
  *) [ "$(cat "$FAKE/install")" = works ] && exit 0 ;;
esac
echo "The following packages have unmet dependencies:"
echo " cmake : Depends: libarchive13 (>= 3.6.0) but it is not going to be installed"
echo "E: Unable to correct problems, you have held broken packages."
exit 100
FAKE
  for tool in dpkg dpkg-query cmake; do
    printf '#!/bin/sh\necho "%s $*" >>"$FAKE/calls"\nexit 1\n' "$tool" >"$fake/$tool"
  done
  printf '#!/bin/sh\nexec "$@"\n' >"$fake/sudo"
  chmod +x "$fake"/*
  # Each row: updates that fail (a number, or all), how the install goes (works, on the release's
  # own versions only, never), the status, the number of updates and installs tried, and what
  # the package step says.
  while IFS='|' read -r failing install want_status want_updates want_installs want_text; do
    echo "$failing" >"$fake/failing-updates"
    echo "$install" >"$fake/install"
    : >"$fake/calls"
    status=0
    out=$(FAKE=$fake PATH=$fake:$PATH INSTALL_PACKAGES_PAUSE=0 tools/install-packages.sh package 2>&1) ||
      status=$?
    [[ $status == "$want_status" && $out == *"$want_text"* &&
      $(grep -c '^apt-get update' "$fake/calls") == "$want_updates" &&
      $(grep -c '^apt-get install' "$fake/calls") == "$want_installs" ]] || {
      echo "install-packages.sh, $failing failing updates, install $install: status $status"
      echo "$out"; cat "$fake/calls"; exit 1
    }
  done <<'ROWS'
1|works|0|2|1|trying again in 0 s
all|works|0|3|1|going on without the package lists that failed to download: http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz (File has unexpected size (374820 != 376004). Mirror sync in progress?)
0|release|0|1|2|installed with bookworm's own versions
all|never|1|3|2|could not install cmake (Depends: libarchive13 (>= 3.6.0) but it is not going to be installed): apt says "Unable to correct problems, you have held broken packages.", after lists failed to download; try again later
ROWS
  # The last row's words end with the one line that says why.
  if [[ $(grep -c 'could not install' <<<"$out") != 1 || $(tail -n1 <<<"$out") != *"could not"* ]]; then
    echo "a failed install must end with one line saying so:"; echo "$out"; exit 1
  fi
  : >"$fake/calls"
  status=0
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM FAKE="$fake" PATH="$fake:$PATH" \
    tools/run.sh 2>&1) || status=$?
  [[ $status == 1 && $out == *"needs a desktop session"* && ! -s $fake/calls ]] ||
    { echo "tools/run.sh with no display: status $status"; echo "$out"; cat "$fake/calls"; exit 1; }
  rm -rf "$fake"
}
check_set_up

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
