# The two commands a new user needs: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

# The Windows build's folder (make windows, make windows-test).
WINDOWS_BUILD ?= build-win64

# Seconds each fuzzer runs in make fuzz.
FUZZ_SECONDS ?= 30

.PHONY: all deps build run test stress sanitize fuzz bench screenshots conformance install \
	package package-test package-install-test windows windows-test windows-bench \
	screenshots-windows clean

all: build

deps:
	@scripts/install-deps

# The build shows what it compiles and links, and every warning and error (on standard error,
# untouched), but neither make's directory chatter nor the lines of the steps that run every time
# and mostly find nothing to do, so that with nothing to build `make run` starts Tessarn at once.
build: SHELL := /bin/bash
build: .SHELLFLAGS := -o pipefail -c
# Optimised as shipped, with line tables for a stack trace's file and line: full debug info
# would take a third more time to compile for little a test run needs.
build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) -- --no-print-directory | \
		sed -u -e '/\] Built target /d' -e '/\] Automatic MOC for target /d'

run: build
	@scripts/run-tessarn $(BUILD)/tessarn

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Hundreds of kills at random moments of hides and unhides, each followed by the check that no
# item is lost; minutes long, so not part of `make test`.
stress: build
	@$(BUILD)/stress_tests

# The tests of every layer below the windows, built with AddressSanitizer and
# UndefinedBehaviorSanitizer. Unoptimised with line tables only: the build takes less than half
# the time of an optimised one, and the tests take seconds either way.
sanitize: deps
	@cmake -S . -B $(BUILD)-sanitize -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O0 -g1" \
		-DTESSARN_SANITIZE=ON >/dev/null
	@cmake --build $(BUILD)-sanitize -j $(JOBS) -- --no-print-directory
	@cd $(BUILD)-sanitize && UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# Every libFuzzer harness under fuzz/ for FUZZ_SECONDS each, JOBS at once, over its seeds
# (needs clang).
fuzz: deps
	@scripts/install-deps fuzz
	@cmake -S . -B $(BUILD)-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
		-DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" -DTESSARN_FUZZ=ON >/dev/null
	@cmake --build $(BUILD)-fuzz -j $(JOBS) --target fuzzers -- --no-print-directory
	@JOBS=$(JOBS) fuzz/run-fuzzers $(BUILD)-fuzz $(FUZZ_SECONDS)

bench: deps
	@cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DTESSARN_BENCH=ON >/dev/null
	@cmake --build $(BUILD)-bench -j $(JOBS) --target benchmarks -- --no-print-directory
	@for b in $(BUILD)-bench/bench/*_bench; do echo "== $$b"; $$b; done

# Installs the program, its desktop entry, icons and metainfo under PREFIX.
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package, $(BUILD)/tessarn_<version>_<architecture>.deb.
package: build
	@rm -f $(BUILD)/tessarn_*.deb
	@cd $(BUILD) && cpack -G DEB

# The package's contents and the validators of its desktop entry and metainfo.
package-test: package
	@tests/package/check_package.sh $(BUILD)

# The package installed with apt on a bare Debian 12 (a debootstrap chroot; needs root and
# Debian's package servers), with and without the packages it recommends, started each time from
# its menu entry and on Qt's VNC platform, and removed again. Skipped when no bare system can be
# made, unless CI is set.
package-install-test: package
	@tests/package/install_in_chroot.sh $(BUILD)

screenshots: build
	@scripts/take-screenshots $(BUILD)

# The platform layer against the Win32 API run under Wine (conformance/run).
conformance:
	@scripts/install-deps windows
	@JOBS=$(JOBS) WINDOWS_BUILD=$(WINDOWS_BUILD) conformance/run $(BUILD)-conformance

# The Windows build, cross-compiled with MinGW-w64 (x86-64, linked statically): the test
# programs, and tessarn.exe once its Win32 windows are there.
windows:
	@scripts/install-deps windows
	@cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/mingw-w64.cmake \
		-DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS) -- --no-print-directory

# The Windows build's tests under Wine, headless, one at a time (tests/windows/run-tests).
windows-test: windows
	@tests/windows/run-tests $(WINDOWS_BUILD)

# Every Win32 window under Wine on a virtual X display, into docs/win32/.
screenshots-windows: windows
	@scripts/take-screenshots-windows $(WINDOWS_BUILD)

# Hide and Unhide against MoveFileExW, a 400-byte append and FlushFileBuffers, under Wine.
windows-bench: windows
	@tests/windows/run-tests $(WINDOWS_BUILD) hiding_timing

.PHONY: package-windows package-windows-test

# The installer $(WINDOWS_BUILD)/tessarn-<version>-win64-setup.exe (NSIS,
# resources/windows/tessarn.nsi) and the portable tessarn-<version>-win64.zip, with the program
# alone built, not the test programs.
# Quiet as make build is: what is made, and every warning and error.
package-windows package-windows-test: SHELL := /bin/bash
package-windows package-windows-test: .SHELLFLAGS := -o pipefail -c
package-windows:
	@scripts/install-deps windows
	@cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/mingw-w64.cmake \
		-DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target package_windows -- --no-print-directory | \
		sed -u -e '/\] Built target /d'

# The installer on a fresh Wine machine: installed, the program started from its Start-menu entry
# and worked through its windows (first start, Hide, Unhide, Hide), started again from Explorer's
# entry "Hide with Tessarn…" for a file and that file hidden, uninstalled
# (tests/package-windows/install-use-uninstall).
package-windows-test: package-windows
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target package_robot -- --no-print-directory | \
		sed -u -e '/\] Built target /d'
	@tests/package-windows/install-use-uninstall $(WINDOWS_BUILD)

clean:
	rm -rf $(BUILD) $(BUILD)-sanitize $(BUILD)-fuzz $(WINDOWS_BUILD)
