# ヌボラ — the two commands of the README, and the builds behind them.
#   make run    install what is missing, build, start the program
#   make test   install what is missing, build, run every test
BUILD_DIR    ?= build
SAN_DIR      ?= build-sanitize
FUZZ_DIR     ?= build-fuzz
FUZZ_SECONDS ?= 60
CMAKE_GEN    := -G Ninja

.PHONY: all deps configure build run test test-sanitize fuzz fuzz-long bench clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR)

run: build
	@scripts/run.sh $(BUILD_DIR)

test: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure -j2

# The same tests, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	@cmake -S . -B $(SAN_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DNUBORA_SANITIZE=ON >/dev/null
	@cmake --build $(SAN_DIR)
	@ctest --test-dir $(SAN_DIR) --output-on-failure -j2

bench: build
	@$(BUILD_DIR)/bench/nubora_bench

clean:
	rm -rf $(BUILD_DIR) $(SAN_DIR) $(FUZZ_DIR)
