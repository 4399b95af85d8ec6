# Everyday entry points. CMake and Ninja do the work; this file strings the steps together.

JOBS ?= 2
RELEASE_DIR := build/release
ASAN_DIR := build/asan
OUT_DIR := $(CURDIR)/out

# Profile-guided optimisation: the engine of the release and benchmark builds is optimised
# by a profile that an instrumented build records on typical work (scripts/pgo-train.sh),
# recorded again whenever a source changes. All three builds share one build type, as the
# profile must come from the code it optimises.
PGO_TRAIN_DIR := build/pgo-train
PGO_PROFILE_DIR := $(CURDIR)/build/pgo-profile
PGO_STAMP := $(PGO_PROFILE_DIR)/trained
PGO_SOURCES := $(shell find src bench -name '*.cpp' -o -name '*.h' -o -name CMakeLists.txt) \
               cmake/BrimwellTargets.cmake scripts/pgo-train.sh
OPTIMISED := -DCMAKE_BUILD_TYPE=Release -DBRIMWELL_PGO_DIR=$(PGO_PROFILE_DIR)
PGO_TRAIN_FLAGS := $(OPTIMISED) -DBRIMWELL_PGO=generate -DBRIMWELL_BUILD_BENCH=ON \
                   -DBRIMWELL_BUILD_GUI=OFF -DBRIMWELL_BUILD_TESTS=OFF

RELEASE_FLAGS := $(OPTIMISED) -DBRIMWELL_PGO=use -DBRIMWELL_BUILD_GUI=ON -DBRIMWELL_BUILD_TESTS=OFF
ASAN_FLAGS := -DCMAKE_BUILD_TYPE=Debug -DBRIMWELL_BUILD_GUI=ON -DBRIMWELL_SANITIZE=ON
# The test that runs a second thread (a file read in two parts), once more under
# ThreadSanitizer.
TSAN_DIR := build/tsan
TSAN_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIMWELL_BUILD_GUI=OFF -DBRIMWELL_SANITIZE_THREADS=ON
TSAN_TEST := faithful_export_test
BENCH_DIR := build/bench
BENCH_FLAGS := $(OPTIMISED) -DBRIMWELL_PGO=use -DBRIMWELL_BUILD_BENCH=ON -DBRIMWELL_BUILD_GUI=OFF \
               -DBRIMWELL_BUILD_TESTS=OFF

# The libFuzzer programs: a long run (make fuzz) and a few seconds each within make test.
FUZZ_DIR := build/fuzz
FUZZ_SMOKE_DIR := build/fuzz-smoke
FUZZ_SECONDS ?= 600
FUZZ_JOBS ?= 1
FUZZ_SMOKE_SECONDS := 5
FUZZ_FLAGS := -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIMWELL_BUILD_GUI=OFF \
              -DBRIMWELL_BUILD_TESTS=OFF -DBRIMWELL_SANITIZE=ON -DBRIMWELL_BUILD_FUZZ=ON

# Every C++ file that clang-format keeps in shape.
FORMATTED := find src tests bench fuzz \( -name '*.h' -o -name '*.cpp' \) -print0

.PHONY: run test fuzz build gui screenshot clean format format-check deps bench

run: build
	@mkdir -p "$(OUT_DIR)"
	@rm -f "$(OUT_DIR)"/*.csv
	$(RELEASE_DIR)/bin/brimwell-cli --quiet --separator comma --out-dir "$(OUT_DIR)" \
		$(RELEASE_DIR)/bin/Samples/*.vcf
	@echo "CSV files written to $(OUT_DIR):"
	@ls -1 "$(OUT_DIR)"/*.csv

test: deps format-check $(ASAN_DIR)/build.ninja $(TSAN_DIR)/build.ninja $(FUZZ_SMOKE_DIR)/build.ninja
	cmake --build $(ASAN_DIR) -j $(JOBS)
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(ASAN_DIR) --output-on-failure -j $(JOBS)
	cmake --build $(TSAN_DIR) -j $(JOBS) --target $(TSAN_TEST)
	ctest --test-dir $(TSAN_DIR) --output-on-failure -R '^$(TSAN_TEST)$$'
	cmake --build $(FUZZ_SMOKE_DIR) -j $(JOBS) --target brimwell_fuzzers
	ctest --test-dir $(FUZZ_SMOKE_DIR) --output-on-failure -j $(JOBS)

# Each fuzz target in turn for FUZZ_SECONDS (FUZZ_JOBS at a time); findings are written to
# build/fuzz/fuzz/work/<target>/artifacts.
fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja $(FUZZ_FLAGS) -DBRIMWELL_FUZZ_SECONDS=$(FUZZ_SECONDS)
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target brimwell_fuzzers
	ctest --test-dir $(FUZZ_DIR) --output-on-failure -j $(FUZZ_JOBS)

build: deps $(PGO_STAMP) $(RELEASE_DIR)/build.ninja
	cmake --build $(RELEASE_DIR) -j $(JOBS)

gui: build
	$(RELEASE_DIR)/bin/brimwell

# The window with the samples listed, drawn under a virtual screen at 100 % and 150 %
# scaling, in the light and the dark colour scheme, into docs/screenshot*.png. A throw-away
# settings folder for each keeps the pictures at first-start values and the user's own
# settings untouched.
SCREENSHOTS := screenshot:1:light screenshot-150:1.5:light \
               screenshot-dark:1:dark screenshot-dark-150:1.5:dark

screenshot: build
	@mkdir -p docs
	@for shot in $(SCREENSHOTS); do \
		name=$${shot%%:*}; rest=$${shot#*:}; scale=$${rest%%:*}; scheme=$${rest#*:}; \
		settings=$$(mktemp -d); \
		XDG_CONFIG_HOME="$$settings" QT_SCALE_FACTOR=$$scale \
			xvfb-run -a -s "-screen 0 2400x1600x24" $(RELEASE_DIR)/bin/brimwell \
			--color-scheme $$scheme --screenshot docs/$$name.png $(RELEASE_DIR)/bin/Samples; \
		status=$$?; rm -rf "$$settings"; \
		if [ $$status -ne 0 ]; then exit $$status; fi; \
		echo "Window drawn into docs/$$name.png ($$scale x, $$scheme)"; \
	done

# Micro-benchmarks briefly, then the end-to-end tables against the peers (see bench/README.md).
bench: deps $(PGO_STAMP) $(BENCH_DIR)/build.ninja
	bash bench/install-peers.sh $(BENCH_DIR)
	BRIMWELL_BENCH_BUILD=$(BENCH_DIR) python3 bench/test_google_peers.py
	cmake --build $(BENCH_DIR) -j $(JOBS)
	$(BENCH_DIR)/bin/brimwell-micro-bench --benchmark_min_time=0.05
	python3 bench/end_to_end.py --build $(BENCH_DIR)

clean:
	rm -rf build out

format:
	$(FORMATTED) | xargs -0 -r clang-format -i

# Fails, naming each line, when a file is not as clang-format would write it.
format-check:
	$(FORMATTED) | xargs -0 -r clang-format --dry-run -Werror

deps:
	@bash scripts/install-deps.sh

# The training build and run: the profile the optimised builds read.
$(PGO_STAMP): $(PGO_SOURCES) | deps
	cmake -S . -B $(PGO_TRAIN_DIR) -G Ninja $(PGO_TRAIN_FLAGS)
	cmake --build $(PGO_TRAIN_DIR) -j $(JOBS) --target brimwell-cli brimwell-bench-corpus
	bash scripts/pgo-train.sh $(PGO_TRAIN_DIR)/bin $(PGO_PROFILE_DIR)

# Each build folder is configured once, and again when this file changes; otherwise Ninja
# re-runs CMake itself when a CMakeLists.txt changes.
$(RELEASE_DIR)/build.ninja: Makefile | deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja $(RELEASE_FLAGS)

$(ASAN_DIR)/build.ninja: | deps
	cmake -S . -B $(ASAN_DIR) -G Ninja $(ASAN_FLAGS)

$(BENCH_DIR)/build.ninja: Makefile | deps
	cmake -S . -B $(BENCH_DIR) -G Ninja $(BENCH_FLAGS)

$(TSAN_DIR)/build.ninja: | deps
	cmake -S . -B $(TSAN_DIR) -G Ninja $(TSAN_FLAGS)

$(FUZZ_SMOKE_DIR)/build.ninja: | deps
	cmake -S . -B $(FUZZ_SMOKE_DIR) -G Ninja $(FUZZ_FLAGS) -DBRIMWELL_FUZZ_SECONDS=$(FUZZ_SMOKE_SECONDS)
