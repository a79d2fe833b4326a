# Quick start on a fresh Debian machine (as root, or with sudo):
#   make demo   installs what is missing, builds, and writes the demo figures to out/demo/
#   make test   installs what is missing, builds, and runs every test suite
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps build demo test clean

all: build

deps:
	bash scripts/deps

build: deps
	cmake -S . -B $(BUILD) > /dev/null
	cmake --build $(BUILD) -j$(JOBS)

demo: build
	octave-cli --no-gui --norc --quiet --no-window-system scripts/run_demo.m

test: deps
	bash scripts/test.sh

clean:
	rm -rf build build-asan build.log build-asan.log out toolbox/*.mex
