#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine; does nothing when all is present.
set -euo pipefail

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

for p in cmake ninja-build make g++ googletest libgtest-dev libbenchmark-dev \
         g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix \
         wine wine32:i386 wine64 xvfb xauth x11-utils imagemagick fonts-wine fonts-dejavu-core \
         libjpeg62-turbo-dev dpkg-dev; do
  have_pkg "$p" || need+=("$p")
done

if [ ${#need[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then
    have_cmd sudo || { echo "install-deps: need root or sudo to install: ${need[*]}" >&2; exit 1; }
    SUDO=sudo
  fi

  echo "install-deps: installing ${need[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

# The JPEG library for the Windows builds, from Debian's source of the native one (cached; both
# targets, since the x86_64 program build needs it where 32-bit code cannot run).
bash "$(dirname "$0")/build-libjpeg.sh" i686-w64-mingw32 x86_64-w64-mingw32
