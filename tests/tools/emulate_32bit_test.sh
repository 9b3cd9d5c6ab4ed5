#!/usr/bin/env bash
# tools/emulate-32bit and the choice of build in tools/wine-common.sh.
#   emulate_32bit_test.sh entry    the private entry takes i386 programs, and nothing else; needs
#                                  QEMU 10 (skipped, exit 77, without it)
#   emulate_32bit_test.sh refusal  emulators it cannot use are refused, saying why
#   emulate_32bit_test.sh choice   which build the tests take, by machine and switches
# The i386 probe asks the kernel's uname for the machine: a 32-bit program on a 64-bit kernel hears
# "x86_64", under qemu-i386 "i686".
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tools="$here/../../tools"
tool="$tools/emulate-32bit"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

check() { # name expected actual
  if [ "$2" = "$3" ]; then echo "ok     $1"
  else echo "FAILED $1: expected '$2', got '$3'"; failures=$((failures + 1)); fi
}
check_has() { # name needle text
  if [[ $3 == *"$2"* ]]; then echo "ok     $1"
  else echo "FAILED $1: no '$2' in: $3"; failures=$((failures + 1)); fi
}

make_probe() {
  cat >"$work/probe.s" <<'EOF'
        .globl _start
        .text
_start: movl $122, %eax             # uname(buf)
        movl $buf, %ebx
        int $0x80
        leal buf+260, %ecx          # the machine field
        movl %ecx, %edx
1:      cmpb $0, (%edx)
        je 2f
        incl %edx
        jmp 1b
2:      movb $10, (%edx)
        incl %edx
        subl %ecx, %edx
        movl $4, %eax               # write(1, machine, length)
        movl $1, %ebx
        int $0x80
        movl $1, %eax               # exit(0)
        xorl %ebx, %ebx
        int $0x80
        .bss
buf:    .skip 400
EOF
  as --32 -o "$work/probe.o" "$work/probe.s" && ld -m elf_i386 -o "$work/probe" "$work/probe.o"
}

# An emulator that answers --version as `version` would, and runs nothing.
fake_qemu() { # path version
  printf '#!/bin/sh\necho "qemu-i386 version %s (Debian 1:%s+dfsg-7)"\n' "$2" "$2" >"$1"
  chmod +x "$1"
}

group_entry() {
  "$tool" --check >"$work/check" 2>&1 || {
    echo "skipped: no usable QEMU here ($(head -n 1 "$work/check")); install-deps provides it where the emulation is used"
    exit 77
  }
  make_probe || { echo "FAILED: could not assemble the i386 probe"; exit 1; }
  check "an i386 program inside runs under qemu-i386" i686 "$("$tool" "$work/probe")"
  # Where the kernel runs i386 programs itself, the entry must still come first.
  if native=$("$work/probe" 2>/dev/null); then
    check "the same program outside runs natively" x86_64 "$native"
  fi
  check "a 64-bit program inside stays native" x86_64 "$("$tool" uname -m)"
  check "a nested call runs inside the same entry" i686 "$("$tool" "$tool" "$work/probe")"
  check "the command's exit status comes back" 3 "$("$tool" bash -c 'exit 3'; echo $?)"
  check "inside, the namespace says what emulates" "qemu-i386 1" \
    "$("$tool" bash -c 'echo "$TVM_EMULATED_32BIT"' | cut -c 1-11)"
  local outside=none
  [ -e /proc/sys/fs/binfmt_misc/tvm-i386 ] && outside=present
  check "nothing outside sees the entry" none "$outside"
}

group_refusal() {
  local out
  fake_qemu "$work/qemu-old" 7.2.0
  out=$(TVM_QEMU_I386="$work/qemu-old" "$tool" --check 2>&1); check "QEMU 7.2 is refused" 1 $?
  check_has "the refusal names the version" "QEMU 7.2.0" "$out"
  check_has "the refusal says what to do" "bookworm-backports" "$out"
  out=$(TVM_QEMU_I386="$work/qemu-old" "$tool" true 2>&1); check "a command is refused likewise" 1 $?
  out=$(TVM_QEMU_I386="$work/none" "$tool" --check 2>&1); check "a missing emulator is refused" 1 $?
  check_has "the refusal names the missing file" "$work/none" "$out"
}

# The build the Windows-side tests take, for each kind of machine and switch: i686 natively,
# i686 emulated, or the x86_64 twin (program64). The machine is faked: whether the kernel runs
# 32-bit code, and whether the emulator works (a QEMU 10 or a refused 7.2).
group_choice() {
  fake_qemu "$work/qemu-new" 10.0.2
  fake_qemu "$work/qemu-old" 7.2.0
  local line native qemu p64 emu want got
  while read -r native qemu p64 emu want; do
    [ -n "$native" ] || continue
    got=$(
      TVM_PROGRAM64=$p64 TVM_EMULATE_32BIT=$emu TVM_QEMU_I386="$work/qemu-$qemu"
      export TVM_PROGRAM64 TVM_EMULATE_32BIT TVM_QEMU_I386
      unset TVM_EMULATED_32BIT
      . "$tools/wine-common.sh"
      if [ "$native" = yes ]; then tvm_runs_32bit() { true; }; else tvm_runs_32bit() { false; }; fi
      if tvm_program64; then echo program64
      elif tvm_emulate_32bit; then echo emulated
      else echo native; fi
    )
    check "kernel 32-bit: $native, qemu: $qemu, TVM_PROGRAM64=$p64 TVM_EMULATE_32BIT=$emu -> $want" "$want" "$got"
  done <<'EOF'
yes new 0 0 native
yes old 0 0 native
yes new 0 1 emulated
yes new 1 0 program64
yes new 1 1 program64
no  new 0 0 emulated
no  old 0 0 program64
no  new 1 0 program64
no  old 0 1 emulated
EOF
}

case "${1:-}" in
  entry|refusal|choice) "group_$1" ;;
  *) echo "usage: $0 entry|refusal|choice" >&2; exit 2 ;;
esac
[ "$failures" -eq 0 ]
