#!/usr/bin/env bash
# Installs the Debian packages a build needs, only those that are missing.
#   tools/install-packages.sh run      what building and starting the Linux editor needs
#   tools/install-packages.sh package  that, and what making its Debian package needs (cpack)
#   tools/install-packages.sh test     everything the whole test command needs; on a machine that
#                                      cannot run 32-bit x86 code, qemu's emulator set up too
#   tools/install-packages.sh emulator qemu's user-mode emulator, 8 or later
#   tools/install-packages.sh artwork  what the regenerate-artwork build target needs besides Qt
# A mirror half way through a sync serves lists that fail to download: the update is tried again,
# then the install goes on with the lists that are there. An install that fails on lists out of
# step with each other is tried once more with the release's own versions; if it still fails,
# one line says what and why. apt-get, dpkg and sudo are taken from PATH.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
attempts=3
pause=${INSTALL_PACKAGES_PAUSE:-20}  # seconds between two updates

run_packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools
              libgl-dev fonts-liberation fonts-dejavu-core fontconfig)
# CPack stops without file; without dpkg-shlibdeps the package's library dependencies are left out.
package_packages=("${run_packages[@]}" dpkg-dev file)
test_packages=("${package_packages[@]}" googletest libgtest-dev libgmock-dev libbenchmark-dev clang
               libclang-rt-14-dev
               xvfb xauth xdotool xclip x11-utils imagemagick
               g++-mingw-w64-i686 wine wine32:i386 wine64
               lintian desktop-file-utils appstream unzip python3)

. /etc/os-release
release=${VERSION_CODENAME:-}

# qemu before 8 ignores MAP_FIXED_NOREPLACE, which Wine relies on to lay out its address space:
# Wine then spends a minute searching memory and fails to start. Debian 12 has 8 in its backports.
qemu_major() {
  qemu-i386-static --version 2>/dev/null | sed -n 's/^qemu-i386 version \([0-9]*\).*/\1/p'
}

set=${1:-run}
backports=false
case "$set" in
  run) wanted=("${run_packages[@]}") ;;
  package) wanted=("${package_packages[@]}") ;;
  test) wanted=("${test_packages[@]}") ;;
  emulator)
    [ "$(qemu_major)" != "" ] && [ "$(qemu_major)" -ge 8 ] && exit 0
    wanted=(qemu-user-static)
    if [ "$release" = bookworm ]; then
      wanted=(qemu-user-static/bookworm-backports)
      backports=true
    fi
    ;;
  artwork) wanted=(icoutils) ;;
  *) echo "usage: $0 [run|package|test|emulator|artwork]" >&2; exit 2 ;;
esac

missing=()
if [ "$set" = emulator ]; then
  missing=("${wanted[@]}")
else
  for package in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
fi

say() { echo "install-packages: $*" >&2; }

# What apt said last, on one line: its last error, or else its last words.
apt_reason() {
  local reason
  reason=$(sed -n 's/^E: //p' "$log" | tail -n1)
  [ -n "$reason" ] || reason=$(grep -v '^[[:space:]]*$' "$log" | tail -n1 || true)
  echo "${reason:-nothing}"
}

# The lists an update could not download, each with apt's reason; else what apt said.
failed_lists() {
  local lists
  lists=$(sed -n 's/^[EW]: Failed to fetch \([^ ]*\) *\([^[]*\).*/\1 (\2)/p' "$log" |
    sed 's/ *)$/)/' | paste -sd ';' | sed 's/;/; /g')
  echo "${lists:-$(apt_reason)}"
}

install_missing() {
  local sudo=() failed="" attempt
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null ||
      { say "installing ${missing[*]} needs root: run this as root, or install sudo"; exit 1; }
    sudo=(sudo)
  fi
  echo "Installing: ${missing[*]}"
  if printf '%s\n' "${missing[@]}" | grep -q ':i386$' &&
      ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo[@]}" dpkg --add-architecture i386
  fi
  if $backports && ! grep -rqs 'bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    printf '%s\n' 'Types: deb' 'URIs: http://deb.debian.org/debian' \
      'Suites: bookworm-backports' 'Components: main' \
      'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' |
      "${sudo[@]}" tee /etc/apt/sources.list.d/bookworm-backports.sources >/dev/null
  fi

  for attempt in $(seq "$attempts"); do
    "${sudo[@]}" apt-get update -qq >"$log" 2>&1 && break
    if [ "$attempt" -lt "$attempts" ]; then
      say "apt-get update failed: $(failed_lists); trying again in $pause s"
      sleep "$pause"
    else
      # The lists that did download are in place, and the old ones of those that did not.
      failed=$(failed_lists)
      say "warning: going on without the package lists that failed to download: $failed"
    fi
  done

  apt_install() {
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$@" "${missing[@]}" \
      >"$log" 2>&1
  }
  apt_install && return 0
  # A list that is missing for one architecture, or for the security or update suite, leaves
  # the others wanting versions that list held: take every package from the release itself.
  if [ -n "$release" ]; then
    say "the install failed ($(apt_reason)); trying once more with $release's own versions"
    if apt_install -o APT::Default-Release="$release"; then
      say "installed with $release's own versions; a later apt-get upgrade brings the updates"
      return 0
    fi
  fi
  # apt names the packages it cannot install as " name : Depends: ..." or "Unable to locate package name".
  local culprits detail
  culprits=$(sed -n -e 's/^ \([^ ][^ ]*\) : .*/\1/p' -e 's/^E: Unable to locate package \(.*\)/\1/p' \
    "$log" | sort -u | paste -sd ' ')
  detail=$(sed -n 's/^ [^ ][^ ]* : \(.*\)/\1/p' "$log" | head -n1)
  say "could not install ${culprits:-${missing[*]}}${detail:+ ($detail)}: apt says \"$(apt_reason)\"${failed:+, after lists failed to download}; try again later (a mirror may be half way through a sync), or another mirror in /etc/apt/sources.list.d/"
  exit 1
}

log=$(mktemp)
trap 'rm -f "$log"' EXIT
[ ${#missing[@]} -eq 0 ] || install_missing
# Set up here, with the packages, so that nothing later in the run asks for sudo.
if [ "$set" = test ]; then
  "$here/i386-emulation.sh"
fi
