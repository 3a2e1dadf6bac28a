# make test:  install what is missing, build every preset, run every test.
# make dist:  the two DLLs under dist/, each with its lumvet-host.exe, and SHA256SUMS.
# make demo:  check and fly the plug-in on 32-bit and 64-bit Windows (Wine) and Linux, draw it.
# make fuzz:  the hostile-host fuzz target for FUZZ_SECONDS (default 60).
# make bench: the frame benchmarks, into build/bench/bench.json.
SHELL := /bin/bash
PRESETS := native fuzz bench linux-i386 win32 win64
FUZZ_SECONDS ?= 60

.PHONY: all test dist demo fuzz bench deps clean $(addprefix build-,$(PRESETS))

all: dist

deps:
	@scripts/ensure-deps.sh

$(addprefix build-,$(PRESETS)): build-%: deps
	cmake --preset $* >/dev/null
	cmake --build --preset $*

test: deps
	@set -e; for preset in $(PRESETS); do \
	    echo "=== $$preset"; \
	    cmake --preset $$preset >/dev/null; \
	    cmake --build --preset $$preset; \
	    ctest --preset $$preset; \
	done

dist: build-win32 build-win64
	rm -rf dist
	mkdir -p dist/win32 dist/win64
	cp build/win32/Lumvet.dll build/win32/host/lumvet-host.exe dist/win32/
	cp build/win64/Lumvet.dll build/win64/host/lumvet-host.exe dist/win64/
	cd dist && sha256sum win32/Lumvet.dll win32/lumvet-host.exe win64/Lumvet.dll win64/lumvet-host.exe > SHA256SUMS
	@ls -l dist/win32 dist/win64; cat dist/SHA256SUMS

demo: dist build-native
	scripts/demo.sh

# The working corpus grows in build/fuzz/corpus; the committed seeds stay as
# they are. A crash input lands in build/fuzz/ and fails the target.
fuzz: build-fuzz
	mkdir -p build/fuzz/corpus
	set -o pipefail; build/fuzz/fuzz/lumvet_fuzz -max_total_time=$(FUZZ_SECONDS) \
	    -artifact_prefix=build/fuzz/ build/fuzz/corpus fuzz/corpus 2>&1 | tee build/fuzz/fuzz.log | \
	    grep -E '^(Done|INFO: Seed|==[0-9]+==ERROR)|hostile host:|SUMMARY|Test unit written'

# Repetitions interleaved at random, so a drift of the machine's speed falls
# on every benchmark alike; the ratio line compares medians.
bench: build-bench build-win32
	set -o pipefail; build/bench/bench/lumvet_bench --benchmark_repetitions=40 \
	    --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true \
	    --benchmark_min_time=0.1 --benchmark_color=false \
	    --benchmark_out=build/bench/bench.json --benchmark_out_format=json
	@echo "shipped DLL: build/win32/Lumvet.dll, $$(stat -c %s build/win32/Lumvet.dll) bytes (goal: under 65536)"

clean:
	rm -rf build dist
