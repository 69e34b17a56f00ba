# CabinetCool: make run | make test | make package | make bench | make fuzz
BUILD     ?= build
BUILD_ASAN ?= build-asan
BUILD_FUZZ ?= build-fuzz
CMAKE_FLAGS ?=
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)
# make fuzz: seconds per fuzz target, or FUZZ_RUNS executions each when
# set; FUZZ_TARGETS limits the run to some (e.g. fuzz_ini).
FUZZ_SECONDS ?= 60
FUZZ_RUNS ?=
FUZZ_TARGETS ?=
# make bench: runs per program (medians), and the X display of its own Xvfb
# (empty: the first free one).
BENCH_RUNS ?= 7
BENCH_DISPLAY ?=

.PHONY: all deps build run test test-release test-asan package bench fuzz clean

all: build

deps:
	@bash scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# Only the program (and the pages beside it), not the tests.
run: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target cabinetcool cc_www
	./$(BUILD)/cabinetcool

test-release: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The same tests once more, built with AddressSanitizer and
# UndefinedBehaviorSanitizer. Warnings are checked by the Release tree:
# GCC's sanitizer instrumentation brings false -W reports of its own.
$(BUILD_ASAN)/build.ninja:
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	      -DCABINETCOOL_SANITIZERS=address,undefined

test-asan: deps $(BUILD_ASAN)/build.ninja
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	cd $(BUILD_ASAN) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test: test-release test-asan

# The Debian package of the system layout, checked by lintian and
# appstreamcli: $(BUILD)/package/cabinetcool_<version>_<arch>.deb
package: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target cabinetcool cc_www cc_system_docs
	bash scripts/check-package $(BUILD) $(BUILD)/package

# Start-up time, processor time and memory against a bare Qt window.
# Reports; never fails on a missed target.
bench: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target bench_programs
	BENCH_RUNS=$(BENCH_RUNS) BENCH_DISPLAY=$(BENCH_DISPLAY) bash scripts/run-bench $(BUILD)

# libFuzzer targets (clang, ASan, UBSan) for FUZZ_SECONDS or FUZZ_RUNS each.
# Not part of make test.
$(BUILD_FUZZ)/build.ninja:
	CC=clang CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -G Ninja \
	      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCABINETCOOL_FUZZ=ON -DCABINETCOOL_BUILD_TESTS=OFF

fuzz: deps
	@bash scripts/install-deps fuzz
	$(MAKE) $(BUILD_FUZZ)/build.ninja
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target fuzzers
	FUZZ_SECONDS=$(FUZZ_SECONDS) FUZZ_RUNS=$(FUZZ_RUNS) bash scripts/run-fuzz $(BUILD_FUZZ) $(FUZZ_TARGETS)

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_FUZZ)
