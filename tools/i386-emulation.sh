#!/usr/bin/env bash
# Makes sure this machine can start 32-bit x86 programs, which Wine's 32-bit loader is.
# Some virtual machines have no 32-bit mode at all: there the kernel refuses 32-bit programs
# ("Exec format error"), so they are run through qemu's user-mode emulator instead, registered
# with the kernel's binfmt_misc. Does nothing where 32-bit programs already start.
# Needs root on such a machine, to install the emulator and to register it (until the machine
# restarts): tools/install-packages.sh test runs it, so that this comes before any build.
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

"$(dirname "$0")/install-packages.sh" emulator

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
