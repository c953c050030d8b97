# Entry points for people and CI. Each target installs what it needs first.
# CMake users can work with the presets in CMakePresets.json directly.

PRESET ?= $(if $(CI),ci,dev)
BUILD_DIR := build/$(PRESET)
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build test run bench fuzz check-sanitize lint package clean

all: build

deps:
	@scripts/install-deps

configure: deps
	cmake --preset $(PRESET)

build: configure
	cmake --build --preset $(PRESET) -j $(JOBS)

test: build
	ctest --preset $(PRESET) -j $(JOBS)

run: build
	$(BUILD_DIR)/app/lumivar

clean:
	rm -rf build
