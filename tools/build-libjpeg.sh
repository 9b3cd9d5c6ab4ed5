#!/usr/bin/env bash
# Builds the JPEG library (libjpeg-turbo, from Debian's own source package, the version of the
# installed libjpeg62-turbo-dev) as a static library with its SIMD code (assembled by nasm) for the
# mingw targets named on the command line, e.g. i686-w64-mingw32 x86_64-w64-mingw32. Each lands in
# build/deps/libjpeg/<target> (lib/libjpeg.a and include/). The source and the builds are cached
# outside the work tree ($TVM_DEPS_CACHE, default ~/.cache/tavelmoor), so a fresh clone on the same
# machine only copies; a target whose copy is current is skipped. A copy or a cached build made
# without SIMD (their stamps name no assembler) is not current: it is built again beside it.
# What apt and the build say goes into build/install-deps.log; a failure shows its last lines.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
tvm_tool=build-libjpeg
. "$root/tools/install-log.sh"
tvm_install_on_error "run make again; if it fails the same way, the lines above say why"
cache=${TVM_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tavelmoor}
package=libjpeg-turbo

say() { echo "build-libjpeg: $*"; }

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo

version=$(dpkg-query -W -f='${source:Version}' libjpeg62-turbo-dev 2>/dev/null || true)
[ -n "$version" ] || tvm_install_failed "finding libjpeg62-turbo-dev" "run bash tools/install-deps.sh, which installs it"
plain_version=${version#*:}  # without the epoch, as in the source folder's name

# apt-get source needs deb-src entries: taken from the machine's own Debian entries.
ensure_deb_src() {
  apt-cache showsrc "$package" 2>/dev/null | grep -q "^Package: $package" && return 0
  local codename stem=tavelmoor-deb-src
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  [ -n "$codename" ] || tvm_install_failed "reading the Debian release (VERSION_CODENAME in /etc/os-release)" \
    "add a deb-src entry for your release to /etc/apt/sources.list, run apt-get update, then make again"
  local tmp written
  tmp=$(mktemp -d)
  echo "== deb-src entries for $codename" >>"$tvm_install_log"
  written=$(bash "$root/tools/apt-entries" deb-src "$codename" "$tmp/$stem" 2>>"$tvm_install_log") ||
    tvm_install_failed "deriving deb-src entries from the entries of /etc/apt" \
      "add a deb-src line for $codename to /etc/apt/sources.list (as its deb line, with deb-src), run apt-get update, then make again"
  $SUDO rm -f /etc/apt/sources.list.d/$stem.*
  $SUDO cp "$written" /etc/apt/sources.list.d/
  rm -rf "$tmp"
  $SUDO chmod 644 /etc/apt/sources.list.d/$stem.* 2>/dev/null || true
  say "added deb-src entries; updating the package lists"
  tvm_logged "apt-get update (with the deb-src entries)" \
    "check the network and /etc/apt/sources.list.d/$stem.*, then run make again" \
    $SUDO apt-get update
  apt-cache showsrc "$package" 2>/dev/null | grep -q "^Package: $package" ||
    tvm_install_failed "finding the source package $package after adding /etc/apt/sources.list.d/$(basename "$written")" \
      "check that file's entries against your Debian mirror, run apt-get update, then make again"
}

# The unpacked source with Debian's patches applied, kept in the cache.
source_dir="$cache/$package-$plain_version"
fetch_source() {
  [ -f "$source_dir/.complete" ] && return 0
  ensure_deb_src
  local work="$cache/fetch.$$"
  rm -rf "$work" "$source_dir"
  mkdir -p "$work"
  say "fetching the source of $package $version"
  # The installed version first; a mirror that has moved on serves only its own.
  echo "== apt-get source $package=$version" >>"$tvm_install_log"
  (cd "$work" && apt-get source "$package=$version" >>"$tvm_install_log" 2>&1) ||
    tvm_logged "apt-get source $package" "check the network and the deb-src entries, then run make again" \
      bash -c 'cd "$1" && apt-get source "$2"' _ "$work" "$package"
  local unpacked
  unpacked=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | head -n1)
  [ -n "$unpacked" ] && [ -f "$unpacked/CMakeLists.txt" ] ||
    tvm_install_failed "unpacking the source package $package" "see the lines above (dpkg-source needs dpkg-dev), then run make again"
  mv "$unpacked" "$source_dir"
  rm -rf "$work"
  touch "$source_dir/.complete"
}

build_target() {
  local target=$1 processor
  case "$target" in
    i686-w64-mingw32) processor=x86 ;;
    x86_64-w64-mingw32) processor=AMD64 ;;
    *) tvm_install_failed "building for $target" "name i686-w64-mingw32 or x86_64-w64-mingw32" ;;
  esac
  local cc="$target-gcc-posix"
  command -v "$cc" >/dev/null || cc="$target-gcc"
  command -v nasm >/dev/null ||
    tvm_install_failed "finding nasm, the assembler of the library's SIMD code" "run bash tools/install-deps.sh, which installs it"
  # The assembler belongs to the build as the compiler does: a build without it never matches.
  local stamp
  stamp="$version $($cc -dumpversion) SIMD $(nasm -v)"
  local dest="$root/build/deps/libjpeg/$target"
  if [ "$(cat "$dest/.stamp" 2>/dev/null)" = "$stamp" ]; then return 0; fi

  local built="$cache/libjpeg-$plain_version-$target-simd"
  if [ "$(cat "$built/.stamp" 2>/dev/null)" != "$stamp" ]; then
    fetch_source
    local work="$cache/build-$target.$$"
    rm -rf "$work" "$built"
    say "building the static library for $target"
    # Only the library, with its SIMD code (REQUIRE_SIMD: a build that cannot assemble it fails
    # rather than quietly leaving it out); no shared library, no TurboJPEG API.
    local hint="the mingw compiler $cc or the source in $source_dir is at fault; delete $cache to fetch it again"
    tvm_logged "configuring $package for $target" "$hint" \
      cmake -S "$source_dir" -B "$work" -G Ninja -Wno-dev \
      -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR="$processor" \
      -DCMAKE_C_COMPILER="$cc" -DCMAKE_RC_COMPILER="$target-windres" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$built" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
      -DCMAKE_ASM_NASM_COMPILER=nasm -DWITH_SIMD=ON -DREQUIRE_SIMD=ON -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF
    tvm_logged "building $package for $target" "$hint" cmake --build "$work" --target jpeg-static
    # grep reads all of nm's output: with -q, nm could end on a closed pipe and fail the check.
    "$target-nm" "$work/libjpeg.a" 2>>"$tvm_install_log" | grep 'jsimd_idct_islow_sse2' >/dev/null ||
      tvm_install_failed "finding the SIMD code (jsimd_idct_islow_sse2) in the library built for $target" \
        "the configure lines for $target in $tvm_install_log say what became of WITH_SIMD; then run make again"
    mkdir -p "$built/lib" "$built/include"
    cp "$work/libjpeg.a" "$built/lib/"
    cp "$work/jconfig.h" "$source_dir/jpeglib.h" "$source_dir/jmorecfg.h" "$source_dir/jerror.h" "$built/include/"
    rm -rf "$work"
    echo "$stamp" >"$built/.stamp"
  fi
  rm -rf "$dest"
  mkdir -p "$(dirname "$dest")"
  # Fresh times, not the cached build's: a program linked after that build but against an older
  # copy is linked again.
  cp -R "$built" "$dest"
}

[ $# -gt 0 ] || { echo "usage: $0 TARGET..." >&2; exit 2; }
mkdir -p "$cache"
# Work trees of one machine share the cache: one build at a time.
exec 9>"$cache/.lock"
flock 9
for t in "$@"; do build_target "$t"; done
