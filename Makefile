# The README's commands. Every target installs what is missing first.
JOBS      ?= $(shell nproc)
BUILD     ?= build
SANBUILD  ?= build-sanitize
FUZZBUILD ?= build-fuzz
TSANBUILD ?= build-tsan
# The location benchmark again without the tracked allocator, for `make bench`'s comparison.
UNTRACKED ?= build-untracked
CMAKE_GEN  = -G Ninja
# Warnings fail the normal and the sanitizer build (WERROR=OFF for a local experiment).
WERROR    ?= ON

.PHONY: run test test-sanitize test-tsan test-integration bench fuzz deps build build-sanitize build-tsan build-fuzz clean

deps:
	bash scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DL_TRACK_ALLOC=ON -DL_WERROR=$(WERROR)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(if $(wildcard sample),sample,.) && $(CURDIR)/$(BUILD)/bin/game

# Every test, the whole-program ones (label "integration") included.
test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-integration: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) -L integration

$(SANBUILD)/build.ninja: | deps
	cmake -S . -B $(SANBUILD) $(CMAKE_GEN) -DL_TRACK_ALLOC=OFF -DL_SANITIZE=ON -DL_WERROR=$(WERROR)

build-sanitize: deps $(SANBUILD)/build.ninja
	cmake --build $(SANBUILD) -j $(JOBS)

test-sanitize: build-sanitize
	ctest --test-dir $(SANBUILD) --output-on-failure -j $(JOBS)

# ThreadSanitizer: only the test programs labelled "threads" are built and run.
$(TSANBUILD)/build.ninja: | deps
	cmake -S . -B $(TSANBUILD) $(CMAKE_GEN) -DL_TRACK_ALLOC=OFF -DL_TSAN=ON

build-tsan: deps $(TSANBUILD)/build.ninja
	cmake --build $(TSANBUILD) --target threaded_tests -j $(JOBS)

test-tsan: build-tsan
	ctest --test-dir $(TSANBUILD) -L threads --output-on-failure -j $(JOBS)

$(UNTRACKED)/build.ninja: | deps
	cmake -S . -B $(UNTRACKED) $(CMAKE_GEN) -DL_TRACK_ALLOC=OFF -DL_WERROR=$(WERROR)

# Every benchmark program, then the location's load and frame with the tracked allocator
# and without it (a second build of that one program), side by side.
bench: build $(UNTRACKED)/build.ninja
	cmake --build $(BUILD) --target benchmarks -j $(JOBS)
	cmake --build $(UNTRACKED) --target GMSceneBench -j $(JOBS)
	@for b in $(BUILD)/bench/*; do [ -x "$$b" ] && echo "== $$b" && "$$b" || true; done
	@bash bench/compare-tracking.sh $(BUILD)/bench/GMSceneBench $(UNTRACKED)/bench/GMSceneBench

# Every libFuzzer target runs for FUZZ_SECONDS from its corpus, FUZZ_JOBS at once; the
# first sanitizer report (UndefinedBehaviorSanitizer's too) stops a run and fails it.
FUZZ_SECONDS ?= 20
FUZZ_JOBS    ?= 4
build-fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZBUILD) $(CMAKE_GEN) -DL_TRACK_ALLOC=OFF -DL_FUZZ=ON
	cmake --build $(FUZZBUILD) --target fuzzers -j $(JOBS)

fuzz: build-fuzz
	bash fuzz/run-fuzzers.sh $(FUZZBUILD) $(FUZZ_SECONDS) $(FUZZ_JOBS)

clean:
	rm -rf $(BUILD) $(SANBUILD) $(FUZZBUILD) $(TSANBUILD) $(UNTRACKED)
