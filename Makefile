# Entry points for people and CI. Each target installs what it needs first.
# CMake users can work with the presets in CMakePresets.json directly.

PRESET ?= $(if $(CI),ci,dev)
BUILD_DIR := build/$(PRESET)
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# Extra -D settings for every configure, e.g. CONFIGURE_FLAGS=-DBUILD_TESTING=OFF.
CONFIGURE_FLAGS ?=

# Every build of one commit gives the same bytes: the time written into the
# .deb, the .exe and the zips is the last commit's, in UTC.
SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null)
ifneq ($(SOURCE_DATE_EPOCH),)
export SOURCE_DATE_EPOCH
endif
export TZ := UTC

.PHONY: all deps configure build test run bench fuzz check-sanitize lint package clean assets \
        windows windows-test web web-test dist check-reproducible

all: build

# What make test needs; every target below installs its own groups of
# packages (scripts/install-deps GROUP...).
deps:
	@scripts/install-deps test web

configure: deps
	cmake --preset $(PRESET) $(CONFIGURE_FLAGS)

build: configure
	cmake --build --preset $(PRESET) -j $(JOBS)

test: build windows-test web-test
	ctest --preset $(PRESET) -j $(JOBS)

# Only the program itself, with only what building and running it needs.
run:
	@scripts/install-deps run
	cmake --preset $(PRESET) $(CONFIGURE_FLAGS)
	cmake --build --preset $(PRESET) -j $(JOBS) --target lumivar
	$(BUILD_DIR)/app/lumivar

lint:
	@scripts/install-deps lint
	tools/lint

# The Windows program, cross-built with mingw-w64 in build/windows, and
# build/lumivar-<version>-windows-x64.zip with the .exe, the fonts' licence
# and a README.
windows:
	@scripts/install-deps windows
	cmake --preset windows -DLUMIVAR_QT_PROGRAM=$(CURDIR)/$(BUILD_DIR)/app/lumivar $(CONFIGURE_FLAGS)
	cmake --build --preset windows -j $(JOBS) --target all windows_zip
	cp build/windows/lumivar-*-windows-x64.zip build/
	@ls build/lumivar-*-windows-x64.zip

# Its tests under Wine: the logic tests built for Windows, and the real
# window on Xvfb, on its own and beside the Qt window of $(BUILD_DIR).
windows-test: windows build
	ctest --preset windows -j $(JOBS)

# The page, built with emscripten in build/web: build/web/web/lumivar.html
# (one self-contained file), build/web/web/site/ (for a static host) and
# build/lumivar-<version>-web.zip with both.
web:
	@scripts/install-deps web
	cmake --preset web -DLUMIVAR_QT_PROGRAM=$(CURDIR)/$(BUILD_DIR)/app/lumivar $(CONFIGURE_FLAGS)
	cmake --build --preset web -j $(JOBS)
	cp build/web/lumivar-*-web.zip build/
	@ls build/lumivar-*-web.zip

# Its tests: the logic tests as WebAssembly under node, the page in chromium
# (the Linux window's end-to-end scripts, puppeteer checks, and the page
# beside the Qt window of $(BUILD_DIR)).
web-test: web build
	ctest --preset web -j $(JOBS)

# Every benchmark in one run on a Release build: StartForecast timings,
# start-up time and peak memory against bench/edit_window on Xvfb, click to
# result, and lumivar.exe against a plain window of its controls under Wine; the last
# lines compare each figure with its target.
bench: windows web
	@scripts/install-deps bench
	cmake --preset bench
	cmake --build --preset bench -j $(JOBS)
	bench/run build/bench

# A .deb of the program (CPack; its dependencies come from dpkg-shlibdeps),
# written to $(BUILD_DIR)/package/. CPack builds every target before it
# packages, so this builds them first, in parallel, with make test's packages
# (which hold the package group's). The usual umask, whatever the user's, so
# that the .deb's folders and members have the usual modes.
package: build
	rm -rf $(BUILD_DIR)/package
	umask 022 && cpack --config $(BUILD_DIR)/CPackConfig.cmake -G DEB -B $(BUILD_DIR)/package
	@ls $(BUILD_DIR)/package/*.deb

# What ships, gathered in build/dist with a SHA256SUMS to check each
# download against (sha256sum -c SHA256SUMS).
dist: package windows web
	rm -rf build/dist
	mkdir -p build/dist
	cp $(BUILD_DIR)/package/*.deb build/windows/win32/lumivar.exe build/windows/lumivar-*-windows-x64.zip \
	  build/web/web/lumivar.html build/web/lumivar-*-web.zip build/dist/
	cd build/dist && sha256sum -- * >SHA256SUMS
	@cat build/dist/SHA256SUMS

# Builds what ships twice, from two copies of this tree in two folders, and
# checks that every file of build/dist is the same bytes in both.
check-reproducible:
	@scripts/install-deps package windows web
	scripts/check-reproducible

# Every test (unit, window, end-to-end) built with AddressSanitizer, UBSan and
# LeakSanitizer; the test preset sets halt-on-error and the leak suppressions.
# The packaging checks are left out there: they would wrap the instrumented
# binary in a .deb (depending on libasan) and stop it with a signal, before
# any leak check; the end-to-end tests run that same binary properly.
check-sanitize:
	@scripts/install-deps sanitize
	cmake --preset sanitize
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

# Coverage-guided fuzzing of the forecast core for FUZZ_SECONDS seconds.
FUZZ_SECONDS ?= 300
fuzz:
	@scripts/install-deps fuzz
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
