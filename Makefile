# make play: set up, build, generate the demo data, start the game.
# make test: set up, build, run every test (each on an Xvfb display of its own).
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CTEST_TIMEOUT ?= 300

.PHONY: all setup configure build play test bench fuzz clean

all: build

setup:
	@bash tools/setup-deps.sh

configure: setup
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo > $(BUILD_DIR).configure.log 2>&1 || (cat $(BUILD_DIR).configure.log; exit 1)

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

play: build
	@cd $(BUILD_DIR)/run && ../bin/morvo

test: build
	@bash tools/run-tests.sh $(BUILD_DIR) $(JOBS) $(CTEST_TIMEOUT)

bench: build
	@for b in $(BUILD_DIR)/bin/bench_*; do [ -x "$$b" ] && "$$b"; done; true

fuzz:
	@bash tools/run-fuzz.sh

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR).configure.log
