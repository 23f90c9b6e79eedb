#!/usr/bin/env bash
# Installs the Debian packages a build needs, only those that are missing.
#   tools/install-packages.sh run     what building and starting the Linux editor needs
#   tools/install-packages.sh test    everything the whole test command needs
#   tools/install-packages.sh artwork what the regenerate-artwork build target needs besides Qt
set -euo pipefail

run_packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools
              libgl-dev fonts-liberation fonts-dejavu-core fontconfig)
test_packages=("${run_packages[@]}" googletest libgtest-dev libgmock-dev libbenchmark-dev clang
               libclang-rt-14-dev
               xvfb xauth xdotool xclip x11-utils imagemagick dpkg-dev file
               g++-mingw-w64-i686 wine wine32 wine64
               lintian desktop-file-utils appstream unzip python3)

case "${1:-run}" in
  run) wanted=("${run_packages[@]}") ;;
  test) wanted=("${test_packages[@]}") ;;
  artwork) wanted=(icoutils) ;;
  *) echo "usage: $0 [run|test|artwork]" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  # wine32 is an i386 package: ask for it by its architecture.
  query=$package
  [ "$package" = wine32 ] && query=wine32:i386
  dpkg-query -W -f='${Status}' "$query" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
echo "Installing: ${missing[*]}"
if printf '%s\n' "${missing[@]}" | grep -qx wine32 &&
    ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq \
  "${missing[@]/#wine32/wine32:i386}" >/dev/null
