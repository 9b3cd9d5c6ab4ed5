# Shared by the Wine tools. Some kernels run no 32-bit programs at all (ia32 emulation off): there
# the 32-bit Wine loader cannot start, so Wine is run through its 64-bit loader and the tests use
# the program's x86_64 build instead of its i686 one.

# True when this machine can start 32-bit programs.
tvm_runs_32bit() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Sets WINE to the loader to use and, for the 64-bit one, WINELOADER so that Wine starts its
# children with it too.
tvm_pick_wine() {
  if tvm_runs_32bit; then
    WINE=wine
  else
    WINE=/usr/lib/wine/wine64
    export WINELOADER=$WINE
  fi
}
