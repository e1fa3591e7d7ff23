# The two set-up commands of a fresh Debian 12 machine:
#   make run    install what is missing, build everything, make the data, play the demo
#   make test   the same set-up, then every test through ctest

BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

# Build tools and libraries, the fonts the GDI stand-in embeds, and what the tests
# drive or compare against (a virtual display, key presses, independent readers).
PACKAGES := cmake g++ make pkg-config libsdl2-dev libxmp-dev libpng-dev \
    libgtest-dev libgmock-dev libbenchmark-dev python3 \
    xfonts-base xfonts-100dpi console-setup-linux zlib1g-dev \
    xvfb xauth xdotool openbox wmctrl x11-utils imagemagick ffmpeg assimp-utils xmp openmpt123 sox

.PHONY: run test setup build packages readme-frames

run: build
	@./tools/play.sh $(BUILD)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Not a set-up command: regenerates the strip of frames the README shows.
readme-frames: build
	./tools/readme_frames.sh $(BUILD) docs/show-strip.png

build: packages
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

setup: packages

packages:
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
