# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# The two set-up commands of a fresh Debian 12 machine:
#   make run    install what is missing, build the program and make its data, play the demo
#   make test   the same set-up, then everything else built and every test through ctest,
#               the show in headless Chromium against the native program, the page through
#               Lighthouse, the reliability gates (the sanitized suite, fuzzing, faults and
#               broken data: gates/), and last a check that the tests left the source tree
#               as they found it
#   make windows  the Windows programs, cross-compiled: build-windows/mornakle-win32.zip, -win64.zip
#   make arm64    the program and its tests cross-compiled for 64-bit ARM Linux into build-arm64/
#   make arm64-test  those tests under qemu-aarch64-static, and the whole show against the x86-64 program
#   make dist     the release in dist/, built from its own source archive
#   make release-check  the release built a second time from another clone, compared byte for byte
# and the two that put the program on the machine:
#   make install  into $(PREFIX) (default /usr/local)
#   make package  a Debian package in $(BUILD), for dpkg -i

BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# Where ccache is installed (the tests bring it), builds share compiled objects across
# clones and build folders; without it nothing changes.
CCACHE := $(shell command -v ccache 2>/dev/null)
ifneq ($(CCACHE),)
export CCACHE_BASEDIR ?= $(CURDIR)
export CCACHE_NOHASHDIR ?= 1
CMAKE_LAUNCHER := -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
endif
PREFIX ?= /usr/local
# The release, as the CMake project names it, and its time: the last commit's, for every
# time stamp in what is packed.
VERSION := $(shell sed -n 's/^project.Mornakle3D VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null)
export SOURCE_DATE_EPOCH
# The source archive the zips and the page carry: the same file make dist ships.
SOURCE_ARCHIVE := $(abspath $(BUILD))/mornakle-$(VERSION).tar.gz
DIST ?= dist
DIST_BUILD ?= build-dist

# What building and running need: build tools and libraries (the test and benchmark
# frameworks too, which configuring the build looks for), the fonts the GDI stand-in
# embeds, and ffmpeg for --record.
RUN_PACKAGES := cmake g++ make pkg-config libsdl2-dev libxmp-dev libpng-dev \
    libgtest-dev libgmock-dev libbenchmark-dev python3 \
    xfonts-base xfonts-100dpi console-setup-linux zlib1g-dev ffmpeg
# What packing the .deb needs (dpkg-shlibdeps finds its dependencies).
PACKAGING_PACKAGES := dpkg-dev file
# What only the tests drive or compare against: a virtual display and window manager,
# key presses, independent readers of our files; clang with its sanitizer and
# fuzzer runtimes, a symbolizer and ccache for the reliability gates; the packing and
# validators of the installed tree.
TEST_PACKAGES := xvfb xauth xdotool openbox wmctrl x11-utils imagemagick \
    clang libclang-rt-14-dev llvm ccache $(PACKAGING_PACKAGES) desktop-file-utils appstream man-db

# The Windows build's cross compilers and the unpacker of Debian's source packages;
# the tests also run the 64-bit program under Wine.
WINDOWS_PACKAGES := g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 dpkg-dev
TEST_PACKAGES += wine wine64
# Checking a release: the Debian package's and the licence's checkers, and the tool that
# shows where two builds differ.
RELEASE_PACKAGES := lintian reuse diffoscope
TEST_PACKAGES += $(RELEASE_PACKAGES)
# Lighthouse, which audits the page, runs on Node.js: a machine without npm gets Debian's
# (a Node.js from elsewhere brings its own npm, which Debian's package would conflict with).
TEST_PACKAGES += $(if $(shell command -v npm 2>/dev/null),,nodejs npm)
WINDOWS_BUILD ?= build-windows

# The arm64 build's cross compiler, the :arm64 libraries it links (dpkg installs them
# beside the native ones once the architecture is added) and the emulator its tests
# run under.
ARM64_BUILD ?= build-arm64
ARM64_PACKAGES := g++-aarch64-linux-gnu qemu-user-static libsdl2-dev:arm64 libxmp-dev:arm64 libpng-dev:arm64 \
    zlib1g-dev:arm64 libgtest-dev:arm64 libgmock-dev:arm64

.PHONY: run test setup configure build packages test-packages packaging-packages readme-frames install package \
    windows windows-packages arm64 arm64-packages arm64-test data web web-serve web-test web-lighthouse source-archive dist release-check \
    tree-snapshot

# Only what running needs: the program and its data, with the generator and the font
# converter that make them; the tests and benchmarks wait for `make test`.
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target mornakle
	@./tools/play.sh $(BUILD)

# What git status says before anything is built, to compare with after the tests.
TREE_SNAPSHOT := $(BUILD)/source-tree-before-test.txt
test: tree-snapshot build windows web arm64 test-packages
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	$(arm64_tests)
	/usr/bin/python3 tests/platform/host/web/web_test.py $(BUILD) $(WEB_BUILD)
	/usr/bin/python3 tests/platform/host/web/lighthouse/lighthouse.py $(WEB_BUILD)
	./gates/gates.sh $(JOBS)
	$(MAKE) --no-print-directory dist
	./tests/release/release_test.sh $(DIST) $(DIST_BUILD)
	@./tests/support/tree_unchanged.sh check $(TREE_SNAPSHOT)

tree-snapshot:
	@./tests/support/tree_unchanged.sh snapshot $(TREE_SNAPSHOT)

# The release: every artifact built from the source archive of the last commit, in $(DIST).
dist: packages windows-packages packaging-packages
	@$(MAKE) --no-print-directory packages PACKAGES="$(WEB_PACKAGES)"
	./tools/release/dist.sh $(DIST) $(DIST_BUILD) $(JOBS)

# The release made a second time, from a clone in another folder with ccache off, and
# compared with $(DIST) byte for byte.
release-check: dist test-packages
	./tests/arm64/same_show.sh $(DIST_BUILD)/native/mornakle $(DIST_BUILD)/arm64/mornakle scalar \
	    $(DIST_BUILD)/arm64/same-show-scalar
	./tools/release/release_check.sh $(DIST) $(JOBS)

source-archive:
	./tools/release/source_archive.sh $(SOURCE_ARCHIVE)

# The show for a web browser: a static site in $(WEB_BUILD)/site, built with Debian's
# emscripten (the data files and the font converter come from the native build).
WEB_BUILD ?= build-web
WEB_PACKAGES := emscripten chromium chromium-driver python3-selenium
export NODE_PATH ?= /usr/share/nodejs

web: build source-archive
	@$(MAKE) --no-print-directory packages PACKAGES="$(WEB_PACKAGES)"
	./platform/host/web/libxmp.sh $(WEB_BUILD)
	emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DMORNAKLE_NATIVE_BUILD=$(abspath $(BUILD)) \
	    -DMORNAKLE_SOURCE_ARCHIVE=$(SOURCE_ARCHIVE) \
	    -DCMAKE_CXX_COMPILER_LAUNCHER=$$(command -v ccache || true) -DCMAKE_C_COMPILER_LAUNCHER=$$(command -v ccache || true)
	cmake --build $(WEB_BUILD) -j $(JOBS) --target web_site

web-serve: web
	cd $(WEB_BUILD)/site && python3 -m http.server 8000 --bind 127.0.0.1

# The site in headless Chromium against the native program.
web-test: web
	/usr/bin/python3 tests/platform/host/web/web_test.py $(BUILD) $(WEB_BUILD)

# The site audited by Lighthouse (pinned by its lock file, installed into $(WEB_BUILD)), three times.
web-lighthouse: web test-packages
	/usr/bin/python3 tests/platform/host/web/lighthouse/lighthouse.py $(WEB_BUILD)

# Not a set-up command: regenerates the strip of frames the README shows.
readme-frames: build
	./tools/readme_frames.sh $(BUILD) docs/show-strip.png

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

package: build packaging-packages
	cd $(BUILD) && cpack -G DEB

configure: packages
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_LAUNCHER)

# Everything: the programs, the tools, the tests and the benchmarks.
build: configure
	cmake --build $(BUILD) -j $(JOBS)

setup: packages

# The data files alone, made by the generator of the native build.
data: configure
	cmake --build $(BUILD) -j $(JOBS) --target mornakle_data

# One build folder per architecture; Debian's libxmp source is fetched once into
# $(WINDOWS_BUILD)/sources and built once per architecture.
windows: data windows-packages source-archive
	@set -e; for arch in win32:i686 win64:x86_64; do \
	    cmake -S windows -B $(WINDOWS_BUILD)/$${arch%%:*} $(CMAKE_LAUNCHER) \
	        -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-$${arch#*:}.cmake \
	        -DMORNAKLE_DATA_DIR=$(abspath $(BUILD))/data -DMORNAKLE_SOURCES_DIR=$(abspath $(WINDOWS_BUILD))/sources \
	        -DMORNAKLE_SOURCE_ARCHIVE=$(SOURCE_ARCHIVE); \
	    cmake --build $(WINDOWS_BUILD)/$${arch%%:*} -j $(JOBS); \
	done

# The program, its data and its tests for 64-bit ARM Linux; what runs at build time
# (the generator, the font converter, the icon painter) comes from the native build.
arm64: build arm64-packages
	cmake -S . -B $(ARM64_BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_LAUNCHER) \
	    -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/aarch64-linux-gnu.cmake \
	    -DMORNAKLE_NATIVE_BUILD=$(abspath $(BUILD)) -DMORNAKLE_BENCH=OFF
	cmake --build $(ARM64_BUILD) -j $(JOBS)

# The arm64 build's tests under qemu-aarch64-static: the rasteriser's, the engine's, the
# generator's and the sound's (the rest draw windows, read keys or run the x86-64 tools,
# which the native suite covers), the arm64 generator's data files against the native
# ones, then the whole show against the x86-64 program's.
# The tests are picked by their folder below tests/, CTest's label of them. The song's
# tests are not among them: synthesising under emulation takes them 12 minutes, and the
# arm64 generator's song is compared with the native one byte for byte.
ARM64_TESTS := ^(platform/d3d|engine|tools/gen|platform/midas|platform/host/headless)$$
# The rasteriser's cases under the x86 kernel families, which skip on an arm64 processor: not started.
ARM64_NOT_HERE := \.(sse2|avx2)$$
# The kernel family the arm64 program plays the whole show with.
ARM64_FAMILY ?= neon
define arm64_tests
	ctest --test-dir $(ARM64_BUILD) --output-on-failure -j $(JOBS) -L '$(ARM64_TESTS)' -E '$(ARM64_NOT_HERE)'
	./tests/tools/arm64_data_test.sh $(BUILD) $(ARM64_BUILD)
	./tests/arm64/same_show.sh $(BUILD)/mornakle $(ARM64_BUILD)/mornakle $(ARM64_FAMILY) \
	    $(ARM64_BUILD)/same-show-$(ARM64_FAMILY)
endef
arm64-test: arm64
	$(arm64_tests)

packages:
	@$(MAKE) --no-print-directory install-missing PACKAGES="$(RUN_PACKAGES)"

# Debian's multiarch: the arm64 packages install once dpkg knows the architecture.
arm64-packages:
	@dpkg --print-foreign-architectures | grep -qx arm64 || { \
	    if [ "$$(id -u)" = 0 ]; then dpkg --add-architecture arm64; \
	    else echo "Add the arm64 architecture with:"; echo "  sudo dpkg --add-architecture arm64"; exit 1; fi; }
	@$(MAKE) --no-print-directory install-missing PACKAGES="$(ARM64_PACKAGES)"

test-packages:
	@$(MAKE) --no-print-directory install-missing PACKAGES="$(TEST_PACKAGES)"

windows-packages:
	@$(MAKE) --no-print-directory install-missing PACKAGES="$(WINDOWS_PACKAGES)"

packaging-packages:
	@$(MAKE) --no-print-directory install-missing PACKAGES="$(PACKAGING_PACKAGES)"

# Installs whichever of $(PACKAGES) are missing, or names them when not run as root.
.PHONY: install-missing
install-missing:
	@missing=""; \
	for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    if [ "$$(id -u)" = 0 ]; then \
	        echo "Installing:$$missing"; \
	        apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	    else \
	        echo "Missing Debian packages. Install them with:"; \
	        echo "  sudo apt-get install$$missing"; \
	        exit 1; \
	    fi; \
	fi
