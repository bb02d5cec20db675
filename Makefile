# Entry points: `make run` and `make test` set everything up on a fresh Debian 12 or 13 machine.
# `make run` installs what building and running need; `make test` also what the tests use.
BUILD ?= build
CMAKE_FLAGS ?=
ASAN_BUILD ?= $(BUILD)-asan
FUZZ_BUILD ?= $(BUILD)-fuzz
WIN_BUILD ?= $(BUILD)-win
CLANG_BUILD ?= $(BUILD)-clang
ARCH_BUILD ?= $(BUILD)-arch
ARM64_BUILD ?= $(BUILD)-arm64
FUZZ_SECONDS ?= 60

.PHONY: deps deps-test deps-windows configure build test run clean test-fast test-windows windows fuzz \
	verify-text bench replay-starts package screenshot clean-roots compare-builds pot test-arch deps-arm64 deb-arm64 \
	test-arm64

deps:
	@scripts/deps.sh run

deps-test:
	@scripts/deps.sh test

deps-windows:
	@scripts/deps.sh windows

deps-arm64:
	@scripts/arm64.sh deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD)

# Everything again under AddressSanitizer and UBSan, then each fuzz target over its seed corpus, then the
# other processors.
test: test-fast
	cmake -S . -B $(ASAN_BUILD) -G Ninja $(CMAKE_FLAGS) -DCALC_TESTS=ON -DCALC_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j2
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0:fast_unwind_on_malloc=0 \
		ctest --output-on-failure -j2
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCALC_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j2
	cd $(FUZZ_BUILD) && ctest --output-on-failure -j2
	$(MAKE) --no-print-directory test-arch

# With the tests on, every tool a test runs is required: nothing is skipped for want of one.
test-fast: deps-test
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) -DCALC_TESTS=ON
	cmake --build $(BUILD)
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
	$(MAKE) --no-print-directory test-windows

# The Windows build, cross-built with MinGW-w64, its tests run under Wine and compared with the Linux build.
test-windows: deps-test
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) -DCALC_TESTS=ON
	cmake --build $(BUILD) --target calc-replay key-sweep
	cmake -S . -B $(WIN_BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=scripts/mingw-w64.cmake -DCALC_TESTS=ON \
		-DCALC_LINUX_BUILD=$(CURDIR)/$(BUILD)
	cmake --build $(WIN_BUILD)
	cd $(WIN_BUILD) && ctest --output-on-failure -j2

# The Windows downloads: $(WIN_BUILD)/calculator-VERSION-win64-setup.exe and calculator-VERSION-win64.zip.
windows: deps-windows
	cmake -S . -B $(WIN_BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=scripts/mingw-w64.cmake
	cmake --build $(WIN_BUILD) --target windows_packages
	@ls -l $(WIN_BUILD)/calculator-*-win64*

# The toolkit-free core on every other processor of this Debian release, built by its cross compiler and run
# under qemu-user: its suites, and its key sweep against this build's byte for byte (scripts/cross-arch.sh).
test-arch: deps-test
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) -DCALC_TESTS=ON
	cmake --build $(BUILD) --target key-sweep
	CROSS_BUILD=$(ARCH_BUILD) scripts/cross-arch.sh $(BUILD)

# The key-sweep of the Linux build, the Windows build and a clang build of the toolkit-free core over COUNT
# arguments (default a million), compared byte for byte.
compare-builds: deps-test
	cmake --build $(BUILD) --target key-sweep
	cmake --build $(WIN_BUILD) --target key-sweep
	CXX=clang++ cmake -S . -B $(CLANG_BUILD) -G Ninja -DCALC_WITH_UI=OFF -DCALC_DEBIAN_FLAGS=OFF
	cmake --build $(CLANG_BUILD) --target key-sweep
	scripts/compare-builds.sh $(BUILD) $(WIN_BUILD) $(CLANG_BUILD) $(COUNT)

fuzz: deps-test
	FUZZ_BUILD=$(FUZZ_BUILD) FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/fuzz.sh

verify-text: build
	$(BUILD)/tools/verify_text

bench: deps-test build
	cmake -S . -B $(WIN_BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=scripts/mingw-w64.cmake
	cmake --build $(WIN_BUILD) --target calculator bare-window
	scripts/bench.sh $(BUILD) $(WIN_BUILD)

# STARTS starts of calc-replay.exe under Wine while both cores are loaded: none may fail without saying why.
STARTS ?= 2000
replay-starts: deps-windows
	cmake -S . -B $(WIN_BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=scripts/mingw-w64.cmake
	cmake --build $(WIN_BUILD) --target calc-replay
	scripts/replay-starts.sh $(WIN_BUILD) $(STARTS)

# The Debian package of the calculator, written into $(BUILD).
package: deps-test build
	cd $(BUILD) && cpack -G DEB

# The translation template, po/calculator.pot, from the texts marked in the sources.
pot:
	scripts/pot.sh

# The arm64 package, cross-built through Debian multiarch: $(ARM64_BUILD)/calculator_VERSION_arm64.deb.
deb-arm64: deps deps-arm64
	cmake -S . -B $(ARM64_BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=scripts/aarch64-linux-gnu.cmake
	cmake --build $(ARM64_BUILD) --target calculator calc-replay desktop_files
	cd $(ARM64_BUILD) && DEB_HOST_ARCH=arm64 cpack -G DEB

# The arm64 build's tests under qemu-user (not those on X11, Wayland and AT-SPI servers), its calc-replay
# against the amd64 one on the key sweep, and its package checked, then installed into a clean arm64 root of
# ARM64_RELEASE (default: this machine's release).
test-arm64: deps-test deps-arm64
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) -DCALC_TESTS=ON
	cmake --build $(BUILD) --target calc-replay key-sweep
	cmake -S . -B $(ARM64_BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=scripts/aarch64-linux-gnu.cmake -DCALC_TESTS=ON
	cmake --build $(ARM64_BUILD)
	cd $(ARM64_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 \
		-E '^(program_start|screen_reader_atspi|clipboard_x11|desktop_wayland_.*|desktop_schemes)$$'
	scripts/arm64.sh replay $(BUILD) $(ARM64_BUILD) $(COUNT)
	scripts/arm64.sh root $(ARM64_BUILD) $(ARM64_RELEASE)

run: build
	$(BUILD)/calculator

# The real windows for the README: Qt offscreen at 1x and 2x and in German and French, Qt on an X server under
# Plasma's Breeze Dark colours, and the Windows build under Wine.
screenshot: build
	mkdir -p docs $(BUILD)/breeze-dark
	QT_QPA_PLATFORM=offscreen $(BUILD)/calc-replay --screenshot docs/screenshot.png 1 2 3 . 4 5 >/dev/null
	QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 \
		$(BUILD)/calc-replay --screenshot docs/screenshot@2x.png 1 2 3 . 4 5 >/dev/null
	for language in de fr; do QT_QPA_PLATFORM=offscreen $(BUILD)/calc-replay --language $$language \
		--screenshot docs/screenshot-$$language.png 1 / 0 = >/dev/null; done
	printf '[Colors:Button]\nBackgroundNormal=49,54,59\nForegroundNormal=252,252,252\n[Colors:Window]\nBackgroundNormal=35,38,41\nForegroundNormal=252,252,252\n' \
		>$(BUILD)/breeze-dark/kdeglobals
	xvfb-run -a env QT_QPA_PLATFORM=xcb XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5 \
		XDG_CONFIG_HOME=$(CURDIR)/$(BUILD)/breeze-dark \
		$(BUILD)/calc-replay --screenshot docs/screenshot-dark.png 1 2 3 . 4 5 >/dev/null 2>&1
	cmake -S . -B $(WIN_BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=scripts/mingw-w64.cmake
	cmake --build $(WIN_BUILD) --target calc-replay
	scripts/wine.sh start $(WIN_BUILD)/screenshot-wine
	WINE_DIR=$(CURDIR)/$(WIN_BUILD)/screenshot-wine scripts/wine.sh run $(WIN_BUILD)/calc-replay.exe \
		--screenshot docs/screenshot-windows.png 1 2 3 . 4 5 >/dev/null; \
		status=$$?; scripts/wine.sh stop $(WIN_BUILD)/screenshot-wine; exit $$status

# `make test` in a clean root of each supported Debian release, made afresh with debootstrap (as root).
clean-roots:
	scripts/clean-root.sh bookworm trixie

clean:
	rm -rf $(BUILD) build-*
