# Velmora: the two commands of the README and a few more.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: deps configure build test demo bench screenshots fuzz clean

deps:
	@./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

demo: build
	./scripts/demo $(BUILD)

bench: build
	./scripts/bench $(BUILD)

clean:
	rm -rf $(BUILD)
