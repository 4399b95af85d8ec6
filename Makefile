# Everyday entry points. CMake and Ninja do the work; this file strings the steps together.

JOBS ?= 2
RELEASE_DIR := build/release
ASAN_DIR := build/asan
OUT_DIR := $(CURDIR)/out

RELEASE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIMWELL_BUILD_GUI=ON \
                 -DBRIMWELL_BUILD_TESTS=OFF
ASAN_FLAGS := -DCMAKE_BUILD_TYPE=Debug -DBRIMWELL_BUILD_GUI=ON -DBRIMWELL_SANITIZE=ON

.PHONY: run test build gui screenshot clean format deps

run: build
	@mkdir -p "$(OUT_DIR)"
	@rm -f "$(OUT_DIR)"/*.csv
	$(RELEASE_DIR)/bin/brimwell-cli --quiet --separator comma --out-dir "$(OUT_DIR)" \
		$(RELEASE_DIR)/bin/Samples/*.vcf
	@echo "CSV files written to $(OUT_DIR):"
	@ls -1 "$(OUT_DIR)"/*.csv

test: deps $(ASAN_DIR)/build.ninja
	cmake --build $(ASAN_DIR) -j $(JOBS)
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(ASAN_DIR) --output-on-failure -j $(JOBS)

build: deps $(RELEASE_DIR)/build.ninja
	cmake --build $(RELEASE_DIR) -j $(JOBS)

gui: build
	$(RELEASE_DIR)/bin/brimwell

# The window with the samples listed, drawn under a virtual screen into docs/screenshot.png.
# A throw-away settings folder keeps the picture at first-start values and the user's
# own settings untouched.
screenshot: build
	@mkdir -p docs
	@settings=$$(mktemp -d) && \
	XDG_CONFIG_HOME="$$settings" xvfb-run -a -s "-screen 0 1280x900x24" \
		$(RELEASE_DIR)/bin/brimwell --screenshot docs/screenshot.png $(RELEASE_DIR)/bin/Samples; \
	status=$$?; rm -rf "$$settings"; exit $$status
	@echo "Window drawn into docs/screenshot.png"

clean:
	rm -rf build out

format:
	find src tests bench \( -name '*.h' -o -name '*.cpp' \) -print0 | xargs -0 -r clang-format -i

deps:
	@bash scripts/install-deps.sh

# Each build folder is configured once; afterwards Ninja re-runs CMake itself when a
# CMakeLists.txt changes.
$(RELEASE_DIR)/build.ninja: | deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja $(RELEASE_FLAGS)

$(ASAN_DIR)/build.ninja: | deps
	cmake -S . -B $(ASAN_DIR) -G Ninja $(ASAN_FLAGS)
