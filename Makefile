# Set-up, build, run and test in one place. Every target installs missing packages first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/kyr

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bin/bench_chart

clean:
	rm -rf $(BUILD)
