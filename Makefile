# Front door. CMake + Ninja underneath; every target installs what it needs first.
BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_WIN  ?= build-windows
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: all deps configure build test test-asan demo bench windows install clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)

configure: $(BUILD)/build.ninja

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The same suites under AddressSanitizer (with its leak checker) and UBSan.
test-asan: deps
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVESTRA_SANITIZE=ON -DVESTRA_BUILD_BENCH=OFF $(CMAKE_ARGS)
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	cd $(BUILD_ASAN) && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan-suppressions.txt ctest --output-on-failure -j $(JOBS) -E install_and_consume

demo: build
	$(BUILD)/examples/demo/vestra_demo

bench: build
	$(BUILD)/bench/vestra_bench --benchmark_min_time=0.2

windows: deps
	cmake -S . -B $(BUILD_WIN) -G Ninja -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DVESTRA_WINDOWS_CHECK=ON
	cmake --build $(BUILD_WIN) -j $(JOBS)
	@echo "Windows check passed: $(BUILD_WIN)/Vestra.dll"

install: build
	cmake --install $(BUILD) --prefix $(or $(PREFIX),/usr/local)

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_WIN) out
