# Front door of the build; CMake does the work.
#   make        build the toolbox (build/rotkit: MEX files and m-files) and the tests
#   make test   run every test (C++ on the embedded host, Octave on build/rotkit)
#   make demo   run the demo in octave-cli
#   make dist   the Octave package, build/rotkit-VERSION.tar.gz (pkg install)
#   make test-sanitize   the C++ tests under AddressSanitizer and UBSan
#   make test-valgrind   the C++ tests under valgrind memcheck
#   make test-valgrind-octave  the Octave tests and input sweep of the functions
#               beyond the original four, on the oct-files, under memcheck
#   make test-tsan  the C++ tests under ThreadSanitizer, with 1, 2, 3 and 7 threads
#   make fuzz       every fuzz target for FUZZ_SECONDS each (fuzz/, clang)
#   make fuzz-ci    the same, briefly (FUZZ_CI_SECONDS each)
#   make test-arm64  the C++ tests cross-built for arm64, run under qemu-user
#   make test-windows  the C++ tests cross-built for Windows (MinGW-w64), run under Wine
#   make bench  kernel and Octave benchmarks (Release), printing ratio tables
#   make bench-hosts  the oct-files beside the MEX files, end to end in Octave
#   make mutate the BVH mutation test at length (MUTANTS mutated files, SEED)
#   make accuracy   every tools/accuracy/*_accuracy program against scipy (docs/accuracy.md)
BUILD ?= build
ASAN_BUILD ?= build-asan
ARM64_BUILD ?= build-arm64
WINDOWS_BUILD ?= build-windows
TSAN_BUILD ?= build-tsan
JOBS ?= $(shell nproc)
OCTAVE = octave-cli --norc --no-history --quiet
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 600
FUZZ_CI_SECONDS ?= 30
MUTANTS ?= 20000
SEED ?= 1
# A test that hangs fails after this many seconds instead of holding up the run.
TEST_TIMEOUT ?= 900
CTEST = ctest --output-on-failure --timeout $(TEST_TIMEOUT) -j $(JOBS)
VALGRIND = valgrind --tool=memcheck --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite --quiet

.PHONY: all setup build test test-sanitize test-tsan test-valgrind test-valgrind-octave bench-hosts test-arm64 test-windows fuzz-build fuzz fuzz-ci demo dist bench mutate accuracy clean

all: build

setup:
	@bash tools/setup.sh

# The developer build: warnings are errors here and in CI (a user's plain
# cmake build and pkg install keep them warnings).
build: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DROTKIT_WERROR=ON
	cmake --build $(BUILD) -j $(JOBS)

# A test that cannot run here (it makes namespaces the system refuses to
# this user, ...) counts as skipped; its reason is printed after the run.
test: build
	@status=0; $(CTEST) --test-dir $(BUILD) || status=$$?; \
	  sed -n 's|^.*/\([^/]*_test\.m\): skipped: |Skipped \1: |p' $(BUILD)/Testing/Temporary/LastTest.log 2>/dev/null; \
	  exit $$status

test-sanitize: setup
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DROTKIT_WERROR=ON -DROTKIT_SANITIZE=ON -DROTKIT_OCTAVE=OFF \
	      -DROTKIT_EMULATED_AVX512=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	$(CTEST) --test-dir $(ASAN_BUILD)

# ThreadSanitizer over the C++ tests, once per thread count, so that the
# worker pool runs with several threads (the processor may have fewer).
test-tsan: setup
	cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROTKIT_WERROR=ON -DROTKIT_SANITIZE_THREAD=ON \
	      -DROTKIT_OCTAVE=OFF -DROTKIT_EMULATED_AVX512=OFF
	cmake --build $(TSAN_BUILD) -j $(JOBS)
	for n in 1 2 3 7; do echo "threads: $$n"; \
	  ROTKIT_NUM_THREADS=$$n TSAN_OPTIONS=halt_on_error=1 $(CTEST) --test-dir $(TSAN_BUILD) || exit 1; done

# The C++ tests (kernels on the NEON path, gateways on the embedded host,
# the golden hashes) for arm64, cross-built and run under qemu-aarch64.
test-arm64:
	@bash tools/setup.sh arm64
	cmake -S . -B $(ARM64_BUILD) -DCMAKE_TOOLCHAIN_FILE=tools/cmake/aarch64-linux-gnu.cmake -DCMAKE_BUILD_TYPE=Release \
	      -DROTKIT_WERROR=ON -DROTKIT_OCTAVE=OFF
	cmake --build $(ARM64_BUILD) -j $(JOBS)
	$(CTEST) --test-dir $(ARM64_BUILD)

# The C++ tests (kernels on every x86-64 path this processor runs, the
# gateways on the embedded host loaded as DLLs, the golden hashes, the
# worker threads and the unloading of a DLL) and the checks of the machine
# code (no fused multiply-add, no MinGW runtime DLL), cross-built with
# MinGW-w64 and run under Wine, with one Wine server for the run. The
# kernels' tests on emulated AVX-512 (SIMDe) stay with the Linux builds, to
# keep the run short; the AVX-512 path runs here where the processor has it.
test-windows:
	@bash tools/setup.sh windows
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=tools/cmake/x86_64-w64-mingw32.cmake -DCMAKE_BUILD_TYPE=Release \
	      -DROTKIT_WERROR=ON -DROTKIT_OCTAVE=OFF -DROTKIT_EMULATED_AVX512=OFF
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	bash tools/wine_session.sh $(WINDOWS_BUILD) $(CTEST) --test-dir $(WINDOWS_BUILD)

# A child forked from a process with worker threads loses their states by
# design (the threads do not exist there), which memcheck reports as a leak
# of the child: that test runs in the other builds.
test-valgrind: build
	for t in $(BUILD)/tests/*_tests; do case $$t in *_avx512emu_tests) continue;; esac; \
	  echo "valgrind: $$t"; $(VALGRIND) $$t --gtest_brief=1 --gtest_filter=-WorkerPool.WorksInAForkedChild || exit 1; done

# The functions beyond the original four create their outputs uninitialised:
# their Octave tests and every case of their input sweep run on the
# oct-files in one octave-cli under memcheck, which names any element an
# output never got (tests/valgrind/valgrind_octave.m). Octave's own
# start-up needs the preloaded stand-in of tests/valgrind where valgrind
# cannot run an instruction of libhwy. About 15 minutes here.
VALGRIND_OCTAVE = valgrind --tool=memcheck --error-exitcode=97 --leak-check=no --track-origins=yes --quiet
test-valgrind-octave: build
	@bash tools/setup.sh valgrind
	cmake --build $(BUILD) --target valgrind_octave_preload
	LD_PRELOAD=$(abspath $(BUILD))/tests/libvalgrind_octave_preload.so $(VALGRIND_OCTAVE) \
	  $(OCTAVE) tests/valgrind/valgrind_octave.m $(abspath $(BUILD))/rotkit $(CURDIR) $(NAMES)

fuzz-build:
	@bash tools/setup.sh fuzz
	cmake -S fuzz -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

fuzz: fuzz-build
	bash fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

fuzz-ci: fuzz-build
	bash fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_CI_SECONDS)

demo: build
	$(OCTAVE) demo/run_demo.m $(BUILD)

dist:
	bash tools/make_dist.sh $(BUILD)

# Google Benchmark is needed here only.
bench: build
	@bash tools/setup.sh accuracy bench
	cmake -S . -B $(BUILD) -DROTKIT_BENCH=ON
	cmake --build $(BUILD) -j $(JOBS)
	bash bench/run_bench.sh $(BUILD)

bench-hosts: build
	@bash tools/setup.sh bench
	cmake -S . -B $(BUILD) -DROTKIT_BENCH=ON
	cmake --build $(BUILD) -j $(JOBS)
	bash bench/run_bench.sh $(BUILD) hosts

mutate: build
	$(OCTAVE) --eval "addpath('tools', '$(BUILD)/rotkit', 'tests/support'); \
	  exit(bvh_mutation_run($(MUTANTS), $(SEED)).faults > 0)"

accuracy: build
	@bash tools/setup.sh accuracy
	bash tools/accuracy/run_accuracy.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(ARM64_BUILD) $(WINDOWS_BUILD) $(FUZZ_BUILD)
