# The two everyday commands: `make run` and `make test`.
BUILD ?= build
JOBS  ?= $(shell nproc)
FUZZ_SECONDS ?= 60
SANITIZE_BUILD ?= build-asan
CMAKE_FLAGS ?=
PREFIX ?= /usr/local

.PHONY: all deps perf-deps configure build run test bench clean format fuzz test-sanitize install deb

all: build

deps:
	@scripts/install-deps

# The profiler (perf) for studying the benchmarks.
perf-deps:
	@scripts/install-deps perf

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run-program $(BUILD)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Each fuzz target for FUZZ_SECONDS in FUZZ_WORKERS processes (default: one per processor), in
# clang builds of their own: half of the workers with the sanitizers (build-fuzz), the others
# without (build-fuzz-plain); fails on any finding.
fuzz:
	@FUZZ_SECONDS=$(FUZZ_SECONDS) JOBS=$(JOBS) scripts/run-fuzz

# The Qt-free libraries and their tests with the address and undefined-behaviour sanitizers.
test-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DZENTRAVOLIX_GUI=OFF -DZENTRAVOLIX_SANITIZE=ON -DZENTRAVOLIX_BENCH=OFF >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@cd $(SANITIZE_BUILD) && ctest --output-on-failure -j $(JOBS)

# The program, the tool, the library with headers, and the desktop files, under PREFIX (DESTDIR
# is honoured for staging).
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

# Debian packages of the program, the tool and the library (runtime and -dev) in build-deb/.
deb:
	@scripts/install-deps deb
	@scripts/make-deb build-deb

bench: build
	@scripts/run-benchmarks $(BUILD)

format:
	@git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	@rm -rf $(BUILD)
