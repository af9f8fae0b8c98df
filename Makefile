# Quillon's two commands, plus a few for the people who work on it.
#
#   make run     build Quillon.exe and run it under Wine
#   make test    build everything and run every test: native, native-asan, the GUI suite and the
#                end-to-end test under Wine inside Xvfb
#   make bench   benchmarks beside memcpy, SDL2 and Allegro 4
#   make fuzz    build the libFuzzer targets (FUZZ_SECONDS=600 make fuzz-run to run them)
#   make dist    the ZIP for Windows users: Quillon.exe, samples/ and a README (build/dist/)
#
# `make native` also builds quillon-cli (build/native/cli/quillon-cli), the command-line tool.
#
# Each command first installs what is missing on a Debian 12 machine (tools/install-deps.sh).

SHELL := /bin/bash
ROOT := $(CURDIR)
FUZZ_SECONDS ?= 60
export QUILLON_WINEPREFIX ?= $(ROOT)/build/wine-prefix

.PHONY: all run test deps native native-asan windows test-native test-native-asan test-windows \
        bench fuzz fuzz-run dist clean

all: native windows

deps:
	@sh tools/install-deps.sh

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native

native-asan: deps
	cmake --preset native-asan >/dev/null
	cmake --build --preset native-asan

windows: deps
	cmake --preset windows >/dev/null
	cmake --build --preset windows

run: windows
	tools/run-quillon build/windows/app/Quillon.exe

# Runs the four suites one after another, keeps going when one fails, and ends with each
# runner's summary line; the exit code is non-zero when any of them failed.
test: native native-asan windows
	@tools/run-tests

# Every row (our routine beside its peers) runs BENCH_TRIALS paired trials, one per repetition,
# the rows' trials in random order so that a burst of load on the shared machine is spread over
# all of them. The console shows each contender's median time; the table, the median and quartiles
# of the trials' own ratios. BENCH_ARGS adds Google Benchmark options, e.g.
# BENCH_ARGS=--benchmark_filter=RleCopy.
BENCH_TRIALS ?= 100
BENCH_ARGS ?=
bench:
	@sh tools/install-deps.sh bench
	cmake --preset bench >/dev/null
	cmake --build --preset bench
	build/bench/bench/quillon_bench --benchmark_repetitions=$(BENCH_TRIALS) \
	    --benchmark_enable_random_interleaving=true --benchmark_display_aggregates_only=true \
	    --benchmark_out=build/bench/last-run.json --benchmark_out_format=json $(BENCH_ARGS)
	python3 tools/bench-table.py build/bench/last-run.json | tee build/bench/table.md
	build/bench/bench/quillon_cli_bench | tee build/bench/cli-table.md
	build/bench/bench/quillon_document_bench | tee build/bench/document-table.md

fuzz:
	@sh tools/install-deps.sh fuzz
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz

fuzz-run: fuzz
	@tools/run-fuzzers $(FUZZ_SECONDS)

dist: windows
	@tools/make-dist

clean:
	rm -rf build
