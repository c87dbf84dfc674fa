# make demo   — build and run the main job on the embedded host
# make test   — build with AddressSanitizer + UBSan and run every test
# make bench  — build optimised and print the benchmark figures
JOBS ?= 2
BUILD := build
TEST_BUILD := build-asan
STAMP := .deps-installed

.PHONY: demo test bench deps clean

$(STAMP): scripts/install-deps
	scripts/install-deps
	@touch $(STAMP)

deps: $(STAMP)

$(BUILD)/Makefile: $(STAMP) CMakeLists.txt
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DCW_TESTS=OFF -DCW_BENCH=ON

$(TEST_BUILD)/Makefile: $(STAMP) CMakeLists.txt
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DCW_SANITIZE=ON

demo: $(BUILD)/Makefile
	cmake --build $(BUILD) -j$(JOBS) --target cellwash_demo
	$(BUILD)/apps/demo/cellwash_demo

test: $(TEST_BUILD)/Makefile
	cmake --build $(TEST_BUILD) -j$(JOBS)
	cd $(TEST_BUILD) && ctest --output-on-failure -j$(JOBS)

bench: $(BUILD)/Makefile
	cmake --build $(BUILD) -j$(JOBS) --target cellwash_bench
	$(BUILD)/bench/cellwash_bench

clean:
	rm -rf $(BUILD) $(TEST_BUILD)
