#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine; does nothing when all is present.
# What apt says goes into build/install-deps.log; a failure shows its last lines.
set -euo pipefail

tvm_tool=install-deps
. "$(dirname "$0")/install-log.sh"
: >"$tvm_install_log"
tvm_install_on_error "run make again; if it fails the same way, the lines above say why"

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

for p in cmake ninja-build make g++ googletest libgtest-dev libbenchmark-dev \
         g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix \
         wine wine32:i386 wine64 xvfb xauth x11-utils imagemagick fonts-wine fonts-dejavu-core \
         libjpeg62-turbo-dev dpkg-dev nasm; do
  have_pkg "$p" || need+=("$p")
done

if [ ${#need[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then
    have_cmd sudo || tvm_install_failed "installing ${need[*]}" \
      "run make as root, or install sudo and give your user the right to use it"
    SUDO=sudo
  fi

  echo "install-deps: installing ${need[*]} (apt's output: $tvm_install_log)"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    tvm_logged "adding the i386 architecture (for wine32)" "run dpkg --add-architecture i386 as root, then make again" \
      $SUDO dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  tvm_logged "apt-get update" \
    "check the network and the entries in /etc/apt/sources.list and /etc/apt/sources.list.d, then run make again" \
    $SUDO apt-get update
  tvm_logged "apt-get install" \
    "mend what apt reports above (apt-get -f install or dpkg --configure -a help after an interrupted install), then run make again" \
    $SUDO apt-get install -y --no-install-recommends "${need[@]}"
fi

# The JPEG library for the Windows builds, from Debian's source of the native one (cached; both
# targets, since the x86_64 program build needs it where 32-bit code cannot run).
# It tells its own failures.
bash "$(dirname "$0")/build-libjpeg.sh" i686-w64-mingw32 x86_64-w64-mingw32 || exit 1
