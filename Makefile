# Entry points for people and CI. Each target installs what it needs first.
# CMake users can work with the presets in CMakePresets.json directly.

PRESET ?= $(if $(CI),ci,dev)
BUILD_DIR := build/$(PRESET)
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build test run bench fuzz check-sanitize lint package clean assets

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

lint: deps
	tools/lint

# Every test (unit, window, end-to-end) built with AddressSanitizer, UBSan and
# LeakSanitizer; the test preset sets halt-on-error and the leak suppressions.
check-sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

# Coverage-guided fuzzing of the forecast core for FUZZ_SECONDS seconds.
FUZZ_SECONDS ?= 300
fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	fuzz/run-fuzzer build/fuzz/fuzz/lumivar_fuzz $(FUZZ_SECONDS)

# Regenerates the committed files under resources/ (font subsets, picture,
# icons, .qrc/.rc) with Debian's python3 and its fonttools and PIL. Only needed
# after a change to the texts the program shows or to the generator itself.
assets:
	@scripts/install-deps assets
	/usr/bin/python3 tools/make_assets.py

clean:
	rm -rf build
