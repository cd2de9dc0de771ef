# SPDX-License-Identifier: GPL-3.0-or-later
# The front door: `make run` and `make test` set up everything they need.
BUILD_DIR      ?= build
SANITIZE_DIR   ?= build-sanitize
BENCH_DIR      ?= build-bench
FUZZ_DIR       ?= build-fuzz
WINDOWS_DIR    ?= build-windows
QT_WINDOWS_DIR ?= build-qt-windows
DEBIAN13_DIR   ?= build-debian13
FUZZ_SECONDS   ?= 60
CMAKE_FLAGS    ?=
PREFIX         ?= /usr/local
JOBS           ?= $(shell nproc)

.PHONY: all deps build run test test-sanitize test-orca windows package-windows test-windows qt-windows test-debian13 bench fuzz install package clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@scripts/run.sh $(BUILD_DIR)/app/quartet

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DQUARTET_SANITIZE=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS)
	@cd $(SANITIZE_DIR) && ctest --output-on-failure -j $(JOBS)

# A blind player's game: the Orca screen reader and the keyboard alone on a
# virtual display, and what Orca says at each step checked from its log.
test-orca: build
	@scripts/install-deps.sh scripts/packages-orca.txt
	@/usr/bin/python3 tests/a11y/orca_speech_test.py $(BUILD_DIR)/app/quartet

# The program for 64-bit Windows, cross-built with mingw-w64 and the static
# Qt of qt-windows: one $(WINDOWS_DIR)/app/quartet.exe that needs nothing
# beside it (scripts/build-windows.sh).
windows: qt-windows
	@scripts/build-windows.sh $(WINDOWS_DIR) $(QT_WINDOWS_DIR) $(JOBS) quartet $(CMAKE_FLAGS)

# The Windows installer, $(WINDOWS_DIR)/quartet-<version>-windows-x64.exe,
# made by CPack's NSIS generator from the program that windows builds.
package-windows: windows
	@cd $(WINDOWS_DIR) && cpack

# The program and its tests, cross-built as for windows, and the tests run
# under Wine in a throwaway prefix (scripts/test-windows.sh); among them
# quartet.exe played on Xvfb, its lines checked against this system's build,
# and the installer installed and uninstalled.
test-windows: build package-windows
	@scripts/test-windows.sh $(WINDOWS_DIR) $(QT_WINDOWS_DIR) $(JOBS) \
		-DQUARTET_LINUX_PROGRAM=$(CURDIR)/$(BUILD_DIR)/app/quartet $(CMAKE_FLAGS)

# A static Qt for 64-bit Windows, built from Debian's qt6-base source of the
# host Qt's version into $(QT_WINDOWS_DIR)/qt, and kept there until the
# version or the build options change (scripts/build-qt-windows.sh). A cross
# build finds it with -DCMAKE_PREFIX_PATH=$$PWD/$(QT_WINDOWS_DIR)/qt.
qt-windows:
	@scripts/install-deps.sh scripts/packages-windows.txt
	@scripts/build-qt-windows.sh $(QT_WINDOWS_DIR) $(JOBS)

# `make test` again in a fresh Debian 13 root made from the archive in
# $(DEBIAN13_DIR)/, and the package built here installed and run there
# (scripts/test-debian13.sh). Needs root, or sudo.
test-debian13: package
	@scripts/install-deps.sh scripts/packages-debian13.txt
	@scripts/test-debian13.sh $(DEBIAN13_DIR) $(BUILD_DIR) CMAKE_FLAGS="$(CMAKE_FLAGS)"

bench: deps
	@cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DQUARTET_BENCHMARKS=ON >/dev/null
	@cmake --build $(BENCH_DIR) -j $(JOBS)
	@for b in $(BENCH_DIR)/bench/bench_*; do $$b --benchmark_repetitions=5 --benchmark_report_aggregates_only=true || exit 1; done
	@/usr/bin/python3 bench/startup/startup_bench.py $(BENCH_DIR)/app/quartet $(BENCH_DIR)/bench/startup/bare_window

# Every fuzz target for FUZZ_SECONDS each, built with clang, libFuzzer and
# the sanitizers; prints executions, coverage and faults per target.
fuzz: deps
	@scripts/install-deps.sh scripts/packages-fuzz.txt
	@cmake -S . -B $(FUZZ_DIR) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DBUILD_TESTING=OFF -DQUARTET_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target quartet_fuzzers
	@fuzz/run.sh $(FUZZ_DIR)/fuzz $(FUZZ_SECONDS)

# `make install PREFIX=/usr` (DESTDIR=... stages the files elsewhere).
install: build
	@cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# The Debian package, written as $(BUILD_DIR)/quartet_<version>_<arch>.deb.
package: build
	@cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(BENCH_DIR) $(FUZZ_DIR) $(WINDOWS_DIR) $(QT_WINDOWS_DIR)
	@if [ -e $(DEBIAN13_DIR) ]; then scripts/debian13-root.sh remove $(DEBIAN13_DIR); fi
