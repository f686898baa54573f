# make play: set up, build, generate the demo data, start the game.
# make test: set up, build, run every test (each on an Xvfb display of its own).
# make test-sanitize: the same tests built with ASan and UBSan in build-sanitize (no benchmarks).
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
JOBS ?= $(shell nproc)
CTEST_TIMEOUT ?= 300

.PHONY: all setup configure build play test test-sanitize bench fuzz clean

all: build

setup:
	@bash tools/setup-deps.sh

configure: setup
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo > $(BUILD_DIR).configure.log 2>&1 || (cat $(BUILD_DIR).configure.log; exit 1)

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# Only the game and its data: the tests and benchmarks are built by make test.
play: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target morvo demo_data
	@cd $(BUILD_DIR)/run && ../bin/morvo

test: build
	@bash tools/run-tests.sh $(BUILD_DIR) $(JOBS) $(CTEST_TIMEOUT)

# Leaks are fatal; only one-time allocations of libdbus, fontconfig and GLib
# (no frame of ours) are suppressed, by name, in tools/lsan.supp. The software
# renderer draws on the calling thread (LP_NUM_THREADS=0): fewer threads for
# the leak checker to stop at exit. intercept_tls_get_addr=0: the checker's
# guess at where the shader compiler's thread-local blocks lie can read a
# stray word as a range, and its tracer then crashes at exit on a test that
# passed; with it off, those blocks are not scanned, which can only add a
# reported leak, never hide one.
test-sanitize: setup
	@cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVO_SANITIZE=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=TRUE > $(SANITIZE_DIR).configure.log 2>&1 || (cat $(SANITIZE_DIR).configure.log; exit 1)
	@cmake --build $(SANITIZE_DIR) -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:intercept_tls_get_addr=0 \
	 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	 LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0 \
	 LP_NUM_THREADS=0 MORVO_RERUN_CHECKER_CRASH=1 bash tools/run-tests.sh $(SANITIZE_DIR) $(JOBS) $(CTEST_TIMEOUT)

bench: build
	@for b in $(BUILD_DIR)/bin/bench_*; do [ -x "$$b" ] && "$$b"; done; true

fuzz:
	@bash tools/run-fuzz.sh

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR).configure.log $(SANITIZE_DIR) $(SANITIZE_DIR).configure.log
