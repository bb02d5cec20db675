# Entry points: `make run` and `make test` set everything up on a fresh Debian 12 machine.
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: deps configure build test run clean package

deps:
	@scripts/deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

# The Debian package of the calculator, written into $(BUILD).
package: build
	cd $(BUILD) && cpack -G DEB

run: build
	$(BUILD)/calculator

clean:
	rm -rf $(BUILD) build-*
