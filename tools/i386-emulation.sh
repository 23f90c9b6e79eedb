#!/usr/bin/env bash
# Makes sure this machine can start 32-bit x86 programs, which Wine's 32-bit loader is.
# Some virtual machines have no 32-bit mode at all: there the kernel refuses 32-bit programs
# ("Exec format error"), so they are run through qemu's user-mode emulator instead, registered
# with the kernel's binfmt_misc. Does nothing where 32-bit programs already start.
# Needs root the first time on such a machine (it installs a package and registers the emulator).
set -euo pipefail

registration=/proc/sys/fs/binfmt_misc/qemu-i386
probe=/usr/lib/wine/wine  # a 32-bit program that is there whenever Wine is

if [ -e "$registration" ] && grep -qx enabled "$registration"; then
  exit 0
fi
if [ ! -x "$probe" ] || "$probe" --version >/dev/null 2>&1; then
  exit 0
fi

sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo

# qemu before 8 ignores MAP_FIXED_NOREPLACE, which Wine relies on to lay out its address space:
# Wine then spends a minute searching memory and fails to start.
qemu_major() {
  qemu-i386-static --version 2>/dev/null | sed -n 's/^qemu-i386 version \([0-9]*\).*/\1/p'
}
if [ "$(qemu_major)" = "" ] || [ "$(qemu_major)" -lt 8 ]; then
  . /etc/os-release
  release=()
  if [ "${VERSION_CODENAME:-}" = bookworm ]; then
    sources=/etc/apt/sources.list.d/bookworm-backports.sources
    if ! grep -rqs 'bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d/; then
      printf '%s\n' 'Types: deb' 'URIs: http://deb.debian.org/debian' \
        'Suites: bookworm-backports' 'Components: main' \
        'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' | $sudo tee "$sources" >/dev/null
    fi
    release=(-t bookworm-backports)
  fi
  echo "Installing qemu-user-static to run 32-bit programs"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${release[@]}" qemu-user-static \
    >/dev/null
fi

if [ ! -e /proc/sys/fs/binfmt_misc/register ]; then
  $sudo mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
fi
# 32-bit little-endian ELF executables and shared objects for the i386. The F flag opens the
# emulator now, so it is found from inside any folder or namespace later.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
if [ -e "$registration" ]; then
  echo 1 | $sudo tee "$registration" >/dev/null
else
  printf ':qemu-i386:M::%s:%s:/usr/bin/qemu-i386-static:F\n' "$magic" "$mask" |
    $sudo tee /proc/sys/fs/binfmt_misc/register >/dev/null
fi
"$probe" --version >/dev/null
