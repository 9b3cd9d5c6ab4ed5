# Shared by the Wine tools. Some kernels run no 32-bit programs at all (ia32 emulation off): there
# the 32-bit Wine loader cannot start, so Wine is run through its 64-bit loader and the tests use
# the program's x86_64 build instead of its i686 one; TVM_PROGRAM64=1 takes that build anywhere.

# True when this machine can start 32-bit programs.
tvm_runs_32bit() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# True when the Windows-side tests and `make run` take the program's x86_64 build (preset
# program64): where this machine runs no 32-bit code, and wherever TVM_PROGRAM64=1 asks for it.
tvm_program64() {
  [ "${TVM_PROGRAM64:-0}" = 1 ] || ! tvm_runs_32bit
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
