#!/usr/bin/env bash
# Builds the JPEG library (libjpeg-turbo, from Debian's own source package, the version of the
# installed libjpeg62-turbo-dev) as a static library for the mingw targets named on the command
# line, e.g. i686-w64-mingw32 x86_64-w64-mingw32. Each lands in build/deps/libjpeg/<target>
# (lib/libjpeg.a and include/). The source and the builds are cached outside the work tree
# ($TVM_DEPS_CACHE, default ~/.cache/tavelmoor), so a fresh clone on the same machine only copies;
# a target whose copy is current is skipped.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cache=${TVM_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tavelmoor}
package=libjpeg-turbo

say() { echo "build-libjpeg: $*"; }

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo

version=$(dpkg-query -W -f='${source:Version}' libjpeg62-turbo-dev 2>/dev/null || true)
[ -n "$version" ] || { say "libjpeg62-turbo-dev is not installed (tools/install-deps.sh installs it)" >&2; exit 1; }
plain_version=${version#*:}  # without the epoch, as in the source folder's name

# apt-get source needs deb-src entries: taken from the machine's own Debian entries.
ensure_deb_src() {
  apt-cache showsrc "$package" 2>/dev/null | grep -q "^Package: $package" && return 0
  local codename stem=tavelmoor-deb-src
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  [ -n "$codename" ] || { say "cannot tell the Debian release" >&2; return 1; }
  local tmp written
  tmp=$(mktemp -d)
  written=$(bash "$root/tools/deb-src-entries" "$codename" "$tmp/$stem") || { rm -rf "$tmp"; return 1; }
  $SUDO rm -f /etc/apt/sources.list.d/$stem.*
  $SUDO cp "$written" /etc/apt/sources.list.d/
  rm -rf "$tmp"
  $SUDO chmod 644 /etc/apt/sources.list.d/$stem.* 2>/dev/null || true
  say "added deb-src entries; updating the package lists"
  $SUDO apt-get update -qq || true
  apt-cache showsrc "$package" 2>/dev/null | grep -q "^Package: $package" ||
    { say "apt-get source cannot find $package" >&2; return 1; }
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
  (cd "$work" && apt-get source -qq "$package=$version" >/dev/null 2>&1) ||
    (cd "$work" && apt-get source -qq "$package" >/dev/null)
  local unpacked
  unpacked=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | head -n1)
  [ -n "$unpacked" ] && [ -f "$unpacked/CMakeLists.txt" ] || { say "the source package did not unpack" >&2; exit 1; }
  mv "$unpacked" "$source_dir"
  rm -rf "$work"
  touch "$source_dir/.complete"
}

build_target() {
  local target=$1 processor
  case "$target" in
    i686-w64-mingw32) processor=x86 ;;
    x86_64-w64-mingw32) processor=AMD64 ;;
    *) say "unknown target $target" >&2; exit 1 ;;
  esac
  local cc="$target-gcc-posix"
  command -v "$cc" >/dev/null || cc="$target-gcc"
  local stamp
  stamp="$version $($cc -dumpversion)"
  local dest="$root/build/deps/libjpeg/$target"
  if [ "$(cat "$dest/.stamp" 2>/dev/null)" = "$stamp" ]; then return 0; fi

  local built="$cache/libjpeg-$plain_version-$target"
  if [ "$(cat "$built/.stamp" 2>/dev/null)" != "$stamp" ]; then
    fetch_source
    local work="$cache/build-$target.$$"
    rm -rf "$work" "$built"
    say "building the static library for $target"
    # Only the library: no SIMD (no assembler needed), no shared library, no TurboJPEG API.
    cmake -S "$source_dir" -B "$work" -G Ninja -Wno-dev \
      -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR="$processor" \
      -DCMAKE_C_COMPILER="$cc" -DCMAKE_RC_COMPILER="$target-windres" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$built" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
      -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF >/dev/null
    cmake --build "$work" --target jpeg-static >/dev/null
    mkdir -p "$built/lib" "$built/include"
    cp "$work/libjpeg.a" "$built/lib/"
    cp "$work/jconfig.h" "$source_dir/jpeglib.h" "$source_dir/jmorecfg.h" "$source_dir/jerror.h" "$built/include/"
    rm -rf "$work"
    echo "$stamp" >"$built/.stamp"
  fi
  rm -rf "$dest"
  mkdir -p "$(dirname "$dest")"
  cp -a "$built" "$dest"
}

[ $# -gt 0 ] || { echo "usage: $0 TARGET..." >&2; exit 2; }
mkdir -p "$cache"
# Work trees of one machine share the cache: one build at a time.
exec 9>"$cache/.lock"
flock 9
for t in "$@"; do build_target "$t"; done
