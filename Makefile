# The two set-up commands of a fresh Debian 12 machine:
#   make run    install what is missing, build everything, make the data, play the demo
#   make test   the same set-up, then every test through ctest

BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

# What building and running need: build tools and libraries (the test and benchmark
# frameworks are built with everything else), the fonts the GDI stand-in embeds, and
# ffmpeg for --record.
RUN_PACKAGES := cmake g++ make pkg-config libsdl2-dev libxmp-dev libpng-dev \
    libgtest-dev libgmock-dev libbenchmark-dev python3 \
    xfonts-base xfonts-100dpi console-setup-linux zlib1g-dev ffmpeg
# What only the tests drive or compare against: a virtual display and window manager,
# key presses, and independent readers of our files.
TEST_PACKAGES := xvfb xauth xdotool openbox wmctrl x11-utils imagemagick assimp-utils xmp openmpt123 sox

.PHONY: run test setup build packages test-packages readme-frames web web-serve web-test

run: build
	@./tools/play.sh $(BUILD)

test: build test-packages
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The show for a web browser: a static site in $(WEB_BUILD)/site, built with Debian's
# emscripten (the data files and the font converter come from the native build).
WEB_BUILD ?= build-web
WEB_PACKAGES := emscripten chromium chromium-driver python3-selenium
export NODE_PATH ?= /usr/share/nodejs

web: build
	@$(MAKE) --no-print-directory packages PACKAGES="$(WEB_PACKAGES)"
	./platform/host/web/libxmp.sh $(WEB_BUILD)
	emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DMORNAKLE_NATIVE_BUILD=$(abspath $(BUILD)) \
	    -DCMAKE_CXX_COMPILER_LAUNCHER=$$(command -v ccache || true) -DCMAKE_C_COMPILER_LAUNCHER=$$(command -v ccache || true)
	cmake --build $(WEB_BUILD) -j $(JOBS) --target web_site
	git archive --format=tar.gz --prefix=mornakle3d/ -o $(WEB_BUILD)/site/mornakle3d-source.tar.gz HEAD

web-serve: web
	cd $(WEB_BUILD)/site && python3 -m http.server 8000 --bind 127.0.0.1

# The site in headless Chromium against the native program.
web-test: web
	/usr/bin/python3 tests/platform/host/web/web_test.py $(BUILD) $(WEB_BUILD)

# Not a set-up command: regenerates the strip of frames the README shows.
readme-frames: build
	./tools/readme_frames.sh $(BUILD) docs/show-strip.png

build: packages
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

setup: packages

packages:
	@$(MAKE) --no-print-directory install-missing PACKAGES="$(RUN_PACKAGES)"

test-packages:
	@$(MAKE) --no-print-directory install-missing PACKAGES="$(TEST_PACKAGES)"

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
