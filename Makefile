# make demo   — build and run the main job on the embedded host
# make test   — build with AddressSanitizer + UBSan and run every test
# make bench  — build optimised and print the benchmark figures
# make format — lay out the C++ sources as .clang-format says (make test checks it)
# make install — build cellwash optimised and install it under PREFIX (see below)
# make calc   — the LibreOffice Calc extension build/calc/cellwash.oxt; make calc-install installs it
JOBS ?= 2
BUILD := build
TEST_BUILD := build-asan
CALC_BUILD := build-calc
STAMP := .deps-installed

.PHONY: demo test bench deps clean format

$(STAMP): scripts/install-deps
	scripts/install-deps
	@touch $(STAMP)

deps: $(STAMP)

$(BUILD)/Makefile: $(STAMP) CMakeLists.txt
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DCW_TESTS=OFF -DCW_BENCH=ON

$(TEST_BUILD)/Makefile: $(STAMP) CMakeLists.txt
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DCW_SANITIZE=ON -DCW_WERROR=ON

demo: $(BUILD)/Makefile
	cmake --build $(BUILD) -j$(JOBS) --target cellwash
	scripts/demo

test: $(TEST_BUILD)/Makefile $(CALC_BUILD)/Makefile
	scripts/check-layers
	scripts/check-format
	cmake --build $(TEST_BUILD) -j$(JOBS)
	cd $(TEST_BUILD) && ctest --output-on-failure -j$(JOBS)
	cmake --build $(CALC_BUILD) -j$(JOBS) --target cellwash_oxt calc_core_tests
	cd $(CALC_BUILD) && ctest -L calc --output-on-failure

bench: $(BUILD)/Makefile
	cmake --build $(BUILD) -j$(JOBS) --target cellwash_bench cellwash
	$(BUILD)/bench/cellwash_bench
	bench/cli_road.py $(BUILD)/apps/cellwash/cellwash
	$(MAKE) calc && /usr/bin/python3 bench/calc_road.py $(CALC_OXT)

format:
	git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format -i

clean:
	rm -rf $(BUILD) $(TEST_BUILD)

# make install PREFIX=DIR — build cellwash optimised in build and install it under PREFIX
# (default /usr/local): bin/cellwash, share/man/man1/cellwash.1 and the bash completion
# share/bash-completion/completions/cellwash (the page and the completion are made by the
# program from its own definition).
.PHONY: install
PREFIX ?= /usr/local

install: $(BUILD)/Makefile
	cmake --build $(BUILD) -j$(JOBS) --target cellwash cellwash_docs
	cmake --install $(BUILD) --prefix $(PREFIX)

# make calc — the LibreOffice Calc extension in build-calc (Release, no sanitizers: the component
# is loaded into soffice), copied to build/calc/cellwash.oxt. make test builds it there too and
# runs its tests (ctest -L calc: a real soffice with the extension in a throwaway profile).
# make calc-install — installs it for the current user: unopkg add, or, as root (where unopkg
# installs only with --shared), soffice's own extension manager on root's profile.
.PHONY: calc calc-install
CALC_OXT := $(BUILD)/calc/cellwash.oxt

$(CALC_BUILD)/Makefile: $(STAMP) CMakeLists.txt
	cmake -S . -B $(CALC_BUILD) -DCMAKE_BUILD_TYPE=Release -DCW_CALC=ON -DCW_TESTS=ON

calc: $(CALC_BUILD)/Makefile
	cmake --build $(CALC_BUILD) -j$(JOBS) --target cellwash_oxt
	mkdir -p $(dir $(CALC_OXT))
	cp $(CALC_BUILD)/apps/calc/cellwash.oxt $(CALC_OXT)
	@echo "built $(CALC_OXT)"

calc-install: calc
	@if [ "$$(id -u)" -ne 0 ]; then \
	  unopkg add --force --suppress-license $(CALC_OXT) && \
	  echo "installed: restart LibreOffice Calc and find the Cellwash menu; remove it with: unopkg remove org.cellwash.calc"; \
	else \
	  /usr/bin/python3 apps/calc/calc_office.py $(CALC_OXT) && \
	  echo "installed: restart LibreOffice Calc and find the Cellwash menu; remove it with: /usr/bin/python3 apps/calc/calc_office.py --remove"; \
	fi

# make windows — cross-build for 64-bit Windows with the MinGW-w64 cross compiler (installed here
# on first use): build-windows/cellwashkit.dll (the add-in as a COM add-in, configured through
# cmake/mingw-w64.cmake with CW_WINDOWS, runtime linked statically), the test host
# build-windows/tests/windows/cellwash_com_host.exe that `make test` runs under Wine, and
# plugsweep.exe (registry wrapper over Win32, VERSIONINFO resource) on its own compiler line.
# `make windows WIN_BUILD=DIR` builds plugsweep.exe alone into DIR (the plugsweep tests do).
.PHONY: windows
WIN_BUILD := build-windows
WIN_CMAKE_BUILD := build-windows
WIN_TOOLCHAIN := cmake/mingw-w64.cmake
WIN_CXX := x86_64-w64-mingw32-g++-posix
WIN_RES := x86_64-w64-mingw32-windres
WIN_SOURCES := $(addprefix registry/,c_registry.cpp reg_variant.cpp registry_error.cpp registry_store.cpp \
                 platform_store.cpp win32_store.cpp) \
               base/text.cpp $(wildcard forms/*.cpp) \
               $(addprefix remover/,addin_entries.cpp plugsweep_window.cpp command_line.cpp shell_open.cpp terminal_driver.cpp \
                 main.cpp version_note.cpp)

$(WIN_CMAKE_BUILD)/CMakeCache.txt: $(WIN_TOOLCHAIN)
	cmake -S . -B $(WIN_CMAKE_BUILD) -DCMAKE_TOOLCHAIN_FILE=$(WIN_TOOLCHAIN) -DCW_WINDOWS=ON -DCMAKE_BUILD_TYPE=Release

windows:
	@command -v $(WIN_CXX) >/dev/null || { s=""; [ "$$(id -u)" -ne 0 ] && s=sudo; $$s apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $$s apt-get install -y -qq --no-install-recommends \
	  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64; }
	mkdir -p $(WIN_BUILD)
ifeq ($(WIN_BUILD),$(WIN_CMAKE_BUILD))
	$(MAKE) $(WIN_CMAKE_BUILD)/CMakeCache.txt
	cmake --build $(WIN_CMAKE_BUILD) -j$(JOBS)
endif
	$(WIN_RES) -I remover remover/plugsweep.rc -O coff -o $(WIN_BUILD)/plugsweep_version.o
	$(WIN_CXX) -std=c++20 -O2 -Wall -Wextra -I. $(WIN_SOURCES) $(WIN_BUILD)/plugsweep_version.o \
	  -static -o $(WIN_BUILD)/plugsweep.exe -ladvapi32 -lshell32

# make fuzz — build the libFuzzer targets (clang, ASan + UBSan) in build-fuzz and run each
# for FUZZ_SECONDS from its seed corpus (fuzz/corpus); fails when any target finds a crash.
# `make fuzz FUZZ_TARGETS="formula csv"` runs only those.
.PHONY: fuzz
FUZZ_BUILD := build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?=

$(FUZZ_BUILD)/Makefile: $(STAMP) CMakeLists.txt fuzz/CMakeLists.txt
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCW_FUZZ=ON -DCW_TESTS=OFF \
	  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only"

fuzz: $(FUZZ_BUILD)/Makefile
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzz_targets
	fuzz/run $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# make scale — full height: a csv of 1,048,576 rows through cellwash into xlsx and csv, read
# back by openpyxl and LibreOffice's csv export, every value compared; prints step timings.
.PHONY: scale
scale: $(BUILD)/Makefile
	cmake --build $(BUILD) -j$(JOBS) --target cellwash
	tests/scale/full_height.sh $(BUILD)/apps/cellwash/cellwash
