# Front door of the build; CMake does the work.
#   make        build the Octave MEX files (build/mex) and the tests
#   make test   run every test (C++ on the embedded host, Octave on build/mex)
#   make demo   run the demo in octave-cli
#   make test-sanitize   the C++ tests under AddressSanitizer and UBSan
#   make bench  kernel and Octave benchmarks (Release), printing ratio tables
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
OCTAVE = octave-cli --norc --no-history --quiet

.PHONY: all setup build test test-sanitize demo bench clean

all: build

setup:
	@bash tools/setup.sh

build: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-sanitize: setup
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DROTKIT_SANITIZE=ON -DROTKIT_OCTAVE=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

demo: build
	$(OCTAVE) demo/run_demo.m $(BUILD)

bench: build
	bash bench/run_bench.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
