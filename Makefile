# ヌボラ — the two commands of the README, and the builds behind them.
#   make run    install what is missing, build, start the program
#   make test   install what is missing, build, run every test
BUILD_DIR    ?= build
SAN_DIR      ?= build-sanitize
RELEASE_DIR  ?= build-release
FUZZ_DIR     ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_LONG_SECONDS ?= 1800
# make fuzz shares FUZZ_SECONDS: a sixth each (at least a second: 0 would
# mean no limit to libFuzzer) for the data-file readers, the CSV reader and
# the parsers of codes read back, the rest (at least a second) for the engine.
FUZZ_SIXTH = $(shell expr \( $(FUZZ_SECONDS) + 5 \) / 6)
DATA_FILE_FUZZ_SECONDS = $(FUZZ_SIXTH)
CSV_FUZZ_SECONDS = $(FUZZ_SIXTH)
CODE_TEXT_FUZZ_SECONDS = $(FUZZ_SIXTH)
ENGINE_FUZZ_SECONDS = $(shell r=$$(expr $(FUZZ_SECONDS) - 3 \* $(FUZZ_SIXTH)); [ "$$r" -ge 1 ] && echo $$r || echo 1)
CMAKE_GEN    := -G Ninja
# The builds of this Makefile are development builds: warnings are errors.
WERROR       := -DNUBORA_WERROR=ON

.PHONY: all deps configure build run run-vnc test test-sanitize release-check fuzz fuzz-long bench format-check format clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(WERROR) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR)

run: build
	@scripts/run.sh $(BUILD_DIR)

# The program on a virtual display, served to a VNC viewer on localhost
# (VNC_PORT, 5900 unless given): for machines without a graphical session.
VNC_PORT ?= 5900
run-vnc: build
	@scripts/run-vnc.sh $(BUILD_DIR) $(VNC_PORT)

test: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure -j2

# The same tests, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	@cmake -S . -B $(SAN_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DNUBORA_SANITIZE=ON $(WERROR) >/dev/null
	@cmake --build $(SAN_DIR)
	@ctest --test-dir $(SAN_DIR) --output-on-failure -j2

# Everything built the way a Debian packager builds it (Release, with the
# flags of dpkg-buildflags and all hardening), but with warnings as errors: a
# warning that only the optimiser at -O3 gives shows here, not at a packager's.
# Then every test, on the code as optimised for a package.
DPKG_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
release-check: deps
	@cmake -S . -B $(RELEASE_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release $(WERROR) \
	  -DCMAKE_C_FLAGS="$$($(DPKG_FLAGS) CPPFLAGS) $$($(DPKG_FLAGS) CFLAGS)" \
	  -DCMAKE_CXX_FLAGS="$$($(DPKG_FLAGS) CPPFLAGS) $$($(DPKG_FLAGS) CXXFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$($(DPKG_FLAGS) LDFLAGS)" \
	  -DCMAKE_SHARED_LINKER_FLAGS="$$($(DPKG_FLAGS) LDFLAGS)" \
	  -DCMAKE_MODULE_LINKER_FLAGS="$$($(DPKG_FLAGS) LDFLAGS)" >/dev/null
	@cmake --build $(RELEASE_DIR)
	@ctest --test-dir $(RELEASE_DIR) --output-on-failure -j2

# The libFuzzer targets over the engine's C interface, the data-file readers,
# nubora-qr's CSV reader and the parsers of codes read back, built by clang
# with ASan and UBSan; what they learn stays in $(FUZZ_DIR)/corpus,
# $(FUZZ_DIR)/corpus-data-file, $(FUZZ_DIR)/corpus-csv and
# $(FUZZ_DIR)/corpus-code-text, crashes land in $(FUZZ_DIR)/ as crash-* files.
fuzz: deps
	@cmake -S . -B $(FUZZ_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNUBORA_FUZZ=ON $(WERROR) \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(FUZZ_DIR) --target tavoqrenc_fuzz data_file_fuzz csv_fuzz code_text_fuzz
	@mkdir -p $(FUZZ_DIR)/corpus $(FUZZ_DIR)/corpus-data-file $(FUZZ_DIR)/corpus-csv $(FUZZ_DIR)/corpus-code-text
	@$(FUZZ_DIR)/tests/fuzz/tavoqrenc_fuzz -max_total_time=$(ENGINE_FUZZ_SECONDS) -max_len=4096 -timeout=30 \
	  -print_final_stats=1 -artifact_prefix=$(FUZZ_DIR)/ $(FUZZ_DIR)/corpus tests/fuzz/seeds
	@$(FUZZ_DIR)/tests/fuzz/data_file_fuzz -max_total_time=$(DATA_FILE_FUZZ_SECONDS) -max_len=30000 -timeout=30 \
	  -print_final_stats=1 -artifact_prefix=$(FUZZ_DIR)/ $(FUZZ_DIR)/corpus-data-file tests/fuzz/data_file_seeds
	@$(FUZZ_DIR)/tests/fuzz/csv_fuzz -max_total_time=$(CSV_FUZZ_SECONDS) -max_len=100000 -timeout=30 \
	  -print_final_stats=1 -artifact_prefix=$(FUZZ_DIR)/ $(FUZZ_DIR)/corpus-csv tests/fuzz/csv_seeds
	@$(FUZZ_DIR)/tests/fuzz/code_text_fuzz -max_total_time=$(CODE_TEXT_FUZZ_SECONDS) -max_len=100000 -timeout=30 \
	  -print_final_stats=1 -artifact_prefix=$(FUZZ_DIR)/ $(FUZZ_DIR)/corpus-code-text tests/fuzz/code_text_seeds

fuzz-long:
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=$(FUZZ_LONG_SECONDS)

bench: build
	@$(BUILD_DIR)/bench/nubora_bench
	@$(BUILD_DIR)/bench/nubora_readback_bench
	@$(BUILD_DIR)/bench/nubora_batch_bench
	@$(BUILD_DIR)/bench/nubora_startup_bench
	@$(BUILD_DIR)/bench/nubora_glabels_bench

# The tracked C/C++ files against .clang-format: names those that differ.
format-check: deps
	@scripts/format-check.sh

# The same files rewritten in place to .clang-format.
format: deps
	@scripts/format-check.sh --fix

clean:
	rm -rf $(BUILD_DIR) $(SAN_DIR) $(RELEASE_DIR) $(FUZZ_DIR)
