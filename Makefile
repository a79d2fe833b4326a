# Quick start on a fresh Debian machine (as root, or with sudo):
#   make demo   installs what is missing, builds, and writes the demo figures to out/demo/
#   make test   installs what is missing, builds, and runs every test suite
SHELL := /bin/bash
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps build demo test clean

all: build

deps:
	bash scripts/deps

build: deps
	cmake -S . -B $(BUILD) > /dev/null
	cmake --build $(BUILD) -j$(JOBS)

# octave-cli ends every run with a harmless "ignoring const execution_exception" line: not shown.
demo: build
	set -o pipefail; octave-cli --no-gui --norc --quiet --no-window-system scripts/run_demo.m 2>&1 \
	  | grep -v "ignoring const execution_exception"

test: deps
	bash scripts/test.sh

clean:
	rm -rf build build-asan out toolbox/*.mex
