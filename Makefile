# The two commands: `make run` and `make test`. Both install what is missing first.
.PHONY: all deps build build-host build-host-sanitize build-win32 build-win64 build-program64 test run clean

all: build

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

# Where the kernel runs no 32-bit code, the Windows-side tests run on an x86_64 build of the program.
build-program64: deps build-win64
	@if ! bash -c '. tools/wine-common.sh; tvm_runs_32bit'; then \
	  cmake --preset program64 >/dev/null && cmake --build --preset program64; fi

build: build-host build-host-sanitize build-win64 build-win32 build-program64

test: build
	@bash tools/run-tests

run: build-win64 build-win32 build-program64
	@bash tools/run-tavelmoor

clean:
	rm -rf build
