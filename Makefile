# The two commands: `make run` and `make test`. Both install what is missing first.
# Where the kernel runs no 32-bit code, the i686 build is tested and run with Wine's 32-bit loader
# under QEMU's user-mode emulator (tools/emulate-32bit); TVM_EMULATE_32BIT=1 (make test
# TVM_EMULATE_32BIT=1) does so where 32-bit code runs natively too. TVM_PROGRAM64=1 takes the
# x86_64 build of the program for the Windows-side tests and for `make run` instead, anywhere.
.PHONY: all deps build build-host build-host-sanitize build-win32 build-win64 build-program64 \
        build-deliverables test run clean

all: build

# Whether the program's x86_64 build is the one that runs here (tools/wine-common.sh).
program64 = bash -c '. tools/wine-common.sh; tvm_program64'

deps:
	@bash tools/install-deps.sh

build-host: deps
	@cmake --preset host >/dev/null
	@cmake --build --preset host

# The unit tests once more, under AddressSanitizer and UndefinedBehaviorSanitizer (no benchmarks).
build-host-sanitize: deps
	@cmake --preset host-sanitize >/dev/null
	@cmake --build --preset host-sanitize

build-win64: deps
	@cmake --preset win64 >/dev/null
	@cmake --build --preset win64

# The program's tests start the 64-bit loader, so the 64-bit side is built first.
build-win32: deps build-win64
	@cmake --preset win32 >/dev/null
	@cmake --build --preset win32

# Where TVM_PROGRAM64=1 asks for it, or the kernel runs no 32-bit code and the emulator cannot
# work, the Windows-side tests run on an x86_64 build of the program.
build-program64: deps build-win64
	@if $(program64); then \
	  cmake --preset program64 >/dev/null && cmake --build --preset program64; fi

build: build-host build-host-sanitize build-win64 build-win32 build-program64

test: build
	@bash tools/run-tests

# Only the four deliverables, of the build that runs here: TVM64.dll and tvm64.exe, then
# Tavelmoor.exe and Tavelmoor.dll (i686, or x86_64 with the 64-bit pair copied beside them).
build-deliverables: deps
	@cmake --preset win64 >/dev/null
	@cmake --build --preset win64 --target tvm_hooklib tvm_loader
	@if $(program64); then \
	  cmake --preset program64 >/dev/null && \
	  cmake --build --preset program64 --target Tavelmoor tvm_hooklib tvm_win64_side; \
	else \
	  cmake --preset win32 >/dev/null && cmake --build --preset win32 --target Tavelmoor tvm_hooklib; \
	fi

run: build-deliverables
	@bash tools/run-tavelmoor

clean:
	rm -rf build
