#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine; does nothing when all is present.
# What apt says goes into build/install-deps.log; a failure shows its last lines.
set -euo pipefail

tvm_tool=install-deps
. "$(dirname "$0")/install-log.sh"
: >"$tvm_install_log"
tvm_install_on_error "run make again; if it fails the same way, the lines above say why"

need=()
SUDO=""
have_cmd() { command -v "$1" >/dev/null 2>&1; }
# Sets SUDO for what needs root, unless this is root.
use_root() { # what
  [ "$(id -u)" -eq 0 ] && return 0
  have_cmd sudo || tvm_install_failed "$1" "run make as root, or install sudo and give your user the right to use it"
  SUDO=sudo
}
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

for p in cmake ninja-build make g++ googletest libgtest-dev libbenchmark-dev \
         g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix \
         wine wine32:i386 wine64 xvfb xauth x11-utils imagemagick fonts-wine fonts-dejavu-core \
         libjpeg62-turbo-dev dpkg-dev nasm; do
  have_pkg "$p" || need+=("$p")
done

if [ ${#need[@]} -gt 0 ]; then
  use_root "installing ${need[*]}"

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

# Where the kernel runs no 32-bit code (or TVM_EMULATE_32BIT=1 asks for it), the i686 build is
# tested with Wine's 32-bit loader under QEMU's user-mode emulator (tools/emulate-32bit), which must
# be QEMU 10 or later: Debian 12 has it in bookworm-backports only, whose entry is then derived from
# the machine's own Debian entries. Only qemu-user is taken from there.
qemu_min=1:10
qemu_ok() { # version
  [ -n "$1" ] && [ "$1" != "(none)" ] && dpkg --compare-versions "$1" ge "$qemu_min"
}
installed_qemu() { dpkg-query -W -f='${Version}' qemu-user 2>/dev/null | grep -v '^$' || true; }
candidate_qemu() { apt-cache policy qemu-user 2>/dev/null | sed -n 's/^ *Candidate: //p'; }
# The newest qemu-user any entry offers, backports included.
newest_qemu() { apt-cache madison qemu-user 2>/dev/null | awk -F'|' '{ gsub(/ /, "", $2); print $2 }' | sort -V | tail -n 1; }

ensure_qemu() {
  # The emulator's namespace is made with unshare (util-linux, essential) and mount.
  local pkgs=(qemu-user)
  have_pkg mount || pkgs+=(mount)
  qemu_ok "$(installed_qemu)" && [ ${#pkgs[@]} -eq 1 ] && return 0
  use_root "installing ${pkgs[*]}"
  export DEBIAN_FRONTEND=noninteractive
  local codename release="" stem=tavelmoor-backports tmp written
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  if ! qemu_ok "$(candidate_qemu)"; then
    [ -n "$codename" ] || tvm_install_failed "reading the Debian release (VERSION_CODENAME in /etc/os-release)" \
      "install qemu-user 10 or later by hand, then run make again"
    release=$codename-backports
    if ! qemu_ok "$(newest_qemu)"; then
      echo "install-deps: adding a $release entry for qemu-user (apt's output: $tvm_install_log)"
      tmp=$(mktemp -d)
      echo "== $release entries" >>"$tvm_install_log"
      written=$(bash "$(dirname "$0")/apt-entries" backports "$codename" "$tmp/$stem" 2>>"$tvm_install_log") ||
        tvm_install_failed "deriving a $release entry from the entries of /etc/apt" \
          "add a line 'deb http://deb.debian.org/debian $release main' to /etc/apt/sources.list, run apt-get update, then make again"
      $SUDO rm -f /etc/apt/sources.list.d/$stem.*
      $SUDO cp "$written" /etc/apt/sources.list.d/
      $SUDO chmod 644 /etc/apt/sources.list.d/$stem.*
      rm -rf "$tmp"
      tvm_logged "apt-get update (with $release)" \
        "check the network and /etc/apt/sources.list.d/$stem.*, then run make again" \
        $SUDO apt-get update
      qemu_ok "$(newest_qemu)" || tvm_install_failed "finding qemu-user $qemu_min or later in $release" \
        "check /etc/apt/sources.list.d/$stem.* against your Debian mirror, or set TVM_PROGRAM64=1 to test the x86_64 build instead"
    fi
  fi
  pkgs[0]=qemu-user${release:+/$release}
  echo "install-deps: installing ${pkgs[*]}, to run Wine's 32-bit loader (apt's output: $tvm_install_log)"
  tvm_logged "apt-get install ${pkgs[*]}" \
    "mend what apt reports above, then run make again; TVM_PROGRAM64=1 tests the x86_64 build instead" \
    $SUDO apt-get install -y --no-install-recommends "${pkgs[@]}"
}

. "$(dirname "$0")/wine-common.sh"
if tvm_needs_emulator; then ensure_qemu; fi

# The JPEG library for the Windows builds, from Debian's source of the native one (cached; both
# targets, since the x86_64 program build needs it where 32-bit code cannot run).
# It tells its own failures.
bash "$(dirname "$0")/build-libjpeg.sh" i686-w64-mingw32 x86_64-w64-mingw32 || exit 1
