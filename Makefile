# CabinetCool: make run | make test | make bench | make fuzz
BUILD     ?= build
BUILD_ASAN ?= build-asan
CMAKE_FLAGS ?=
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps build run test test-release test-asan clean

all: build

deps:
	@bash scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/cabinetcool

test-release: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test: test-release

clean:
	rm -rf $(BUILD) $(BUILD_ASAN)
