# Entry points; the real build is CMake. See README.md.
JOBS        ?= 2
GENERATOR   := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")
RELEASE_DIR := build/release
TEST_DIR    := build/test
FUZZ_DIR    := build/fuzz
TSAN_DIR    := build/tsan
# The tests of the threads: the background loader, the parallel re-plot, loads at once.
TSAN_TESTS  := FileLoader|Parallel|TwoLoads|Cancel
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?=
FUZZ_RUNS    ?=

.PHONY: deps build run test bench fuzz tsan package format clean

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(RELEASE_DIR) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Release \
	      -DORVEL_TESTS=OFF -DORVEL_BENCH=OFF
	cmake --build $(RELEASE_DIR) -j$(JOBS)

run: build
	scripts/run-main.sh

# A Debian package of the Release build (build/release/orvel-graph_VERSION_ARCH.deb); dpkg-shlibdeps
# (package dpkg-dev) names the libraries it depends on.
package: deps
	scripts/install-deps.sh dpkg-dev file
	cmake -S . -B $(RELEASE_DIR) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build $(RELEASE_DIR) -j$(JOBS) --target orvelgraph orvelgraph-cli
	cd $(RELEASE_DIR) && cpack -G DEB

test: deps
	cmake -S . -B $(TEST_DIR) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Debug \
	      -DORVEL_SANITIZE=ON -DORVEL_WERROR=$(if $(CI),ON,OFF) -DORVEL_TESTS=ON
	cmake --build $(TEST_DIR) -j$(JOBS)
	cd $(TEST_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

bench: deps
	cmake -S . -B $(RELEASE_DIR) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Release -DORVEL_BENCH=ON -DORVEL_TESTS=OFF
	cmake --build $(RELEASE_DIR) -j$(JOBS)
	@for b in $(RELEASE_DIR)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done
	@# The build above also makes make_large; a Release build puts its programs in build/bin.
	bench/peer-render.sh build/bin/orvelgraph-cli build/bin/make_large
	bench/memory.sh build/bin/orvelgraph-cli build/bin/make_large

fuzz:
	@scripts/install-deps.sh clang-14 libclang-rt-14-dev
	cmake -S . -B $(FUZZ_DIR) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	      -DCMAKE_CXX_COMPILER=clang++-14 -DORVEL_FUZZ=ON -DORVEL_TESTS=OFF
	cmake --build $(FUZZ_DIR) -j$(JOBS) --target fuzzers orvelgraph-cli
	FUZZ_RUNS=$(FUZZ_RUNS) fuzz/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

tsan: deps
	cmake -S . -B $(TSAN_DIR) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVEL_TSAN=ON -DORVEL_TESTS=ON
	cmake --build $(TSAN_DIR) -j$(JOBS) --target test_app test_graph
	cd $(TSAN_DIR) && QT_QPA_PLATFORM=offscreen \
	    TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
	    ctest --output-on-failure -j$(JOBS) -R '$(TSAN_TESTS)'

format:
	find src cli tests bench fuzz tools -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build
