# Set-up, build, run and test in one place. Every target installs missing packages first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
SANITIZE_BUILD ?= build-sanitize
SANITIZE_FLAGS := -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined

.PHONY: all deps deps-test configure build run test sanitize bench clean

all: build

deps:
	@scripts/install-deps.sh

deps-test:
	@scripts/install-deps.sh --tests

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/kyr

test: deps-test build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The whole suite built as Debug with AddressSanitizer and UndefinedBehaviorSanitizer, in its own
# folder. Too slow for every run; leak reports are off because Qt keeps its allocations to exit.
sanitize: deps-test
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKYR_BUILD_BENCHMARKS=OFF \
		-DCMAKE_C_FLAGS="$(SANITIZE_FLAGS)" -DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
		-DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined"
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j $(JOBS) --timeout 1500

bench: build
	$(BUILD)/bin/bench_chart

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
