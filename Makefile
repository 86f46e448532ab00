# Velmora: the two commands of the README and a few more.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: deps configure build test test-sanitized demo bench screenshots fuzz clean

# The core's tests are also built and run under AddressSanitizer and
# UndefinedBehaviorSanitizer (no desktop program, no benchmarks), in a build
# folder of their own; any report fails the run.
ASAN_BUILD ?= build-asan
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1 \
                UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Seconds each fuzz target runs in `make fuzz`.
FUZZ_SECONDS ?= 60

deps:
	@./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory test-sanitized

test-sanitized:
	cmake -S . -B $(ASAN_BUILD) -DVELMORA_SANITIZE=ON -DVELMORA_BUILD_GUI=OFF -DVELMORA_BUILD_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS)

demo: build
	./scripts/demo $(BUILD)

bench: build
	./scripts/bench-record $(BUILD)

screenshots: configure
	./scripts/screenshots $(BUILD)

fuzz:
	FUZZ_SECONDS=$(FUZZ_SECONDS) ./scripts/fuzz

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
