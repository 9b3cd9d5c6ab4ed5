# Shared by the Wine tools. Some kernels run no 32-bit programs at all (ia32 emulation off): there
# Wine's 32-bit loader runs under QEMU's user-mode emulator (tools/emulate-32bit), so the i686
# build is still the one tested and run; where that emulator cannot work, Wine is run through its
# 64-bit loader and the program's x86_64 build stands in. TVM_EMULATE_32BIT=1 takes the emulator
# where 32-bit code runs natively too; TVM_PROGRAM64=1 takes the x86_64 build anywhere.

tvm_tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# True when this process can start 32-bit programs: natively, or inside tools/emulate-32bit.
tvm_runs_32bit() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# True when the kernel itself runs 32-bit programs.
tvm_runs_32bit_natively() {
  [ -z "${TVM_EMULATED_32BIT:-}" ] && tvm_runs_32bit
}

# True when the i686 build is to run with 32-bit programs emulated: wherever TVM_EMULATE_32BIT=1
# asks for it, and where the kernel runs no 32-bit code and the emulator works (unless
# TVM_PROGRAM64=1 asks for the x86_64 build).
tvm_emulate_32bit() {
  [ -n "${TVM_EMULATED_32BIT:-}" ] && return 0
  [ "${TVM_PROGRAM64:-0}" = 1 ] && return 1
  [ "${TVM_EMULATE_32BIT:-0}" = 1 ] && return 0
  ! tvm_runs_32bit && "$tvm_tools/emulate-32bit" --check >/dev/null 2>&1
}

# True when the install step must provide the emulator (before it is there to check).
tvm_needs_emulator() {
  [ "${TVM_PROGRAM64:-0}" = 1 ] && return 1
  [ "${TVM_EMULATE_32BIT:-0}" = 1 ] || ! tvm_runs_32bit
}

# True when the Windows-side tests and `make run` take the program's x86_64 build (preset
# program64): wherever TVM_PROGRAM64=1 asks for it, and where this machine runs no 32-bit code
# and cannot emulate it.
tvm_program64() {
  [ "${TVM_PROGRAM64:-0}" = 1 ] && return 0
  ! tvm_runs_32bit && ! tvm_emulate_32bit
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
