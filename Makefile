# The two commands: `make run` and `make test`. Both install what is missing first.
.PHONY: all deps build build-host build-win32 build-win64 test run clean

all: build

deps:
	@bash tools/install-deps.sh

build-host: deps
	@cmake --preset host >/dev/null
	@cmake --build --preset host

build-win64: deps
	@cmake --preset win64 >/dev/null
	@cmake --build --preset win64

# The program's tests start the 64-bit loader, so the 64-bit side is built first.
build-win32: deps build-win64
	@cmake --preset win32 >/dev/null
	@cmake --build --preset win32

build: build-host build-win64 build-win32

test: build
	@bash tools/run-tests

run: build-win64 build-win32
	@bash tools/run-tavelmoor

clean:
	rm -rf build
