# The two commands users and CI rely on: `make run` and `make test`.
SHELL := /bin/bash
BUILD := build
CMAKE_GEN := -G Ninja
JOBS ?= $(shell nproc)

.PHONY: all deps deps-build deps-test deps-fuzz deps-release build native win64 i686 test unit-test \
        windows-test fuzz soak run demo dist dist-test format clean

all: build

# Each target installs (as root) or names the tools it needs: scripts/install-deps.sh.
deps: deps-build deps-test deps-fuzz deps-release
deps-build deps-test deps-fuzz deps-release:
	@bash scripts/install-deps.sh $(@:deps-%=%)

$(BUILD)/win64/build.ninja: | deps-build
	cmake -S . -B $(BUILD)/win64 $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake

$(BUILD)/native/build.ninja: | deps-build
	cmake -S . -B $(BUILD)/native $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug

$(BUILD)/i686/build.ninja: | deps-build
	cmake -S . -B $(BUILD)/i686 $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DKEYLOOM_BUILD_TESTS=OFF

win64: $(BUILD)/win64/build.ninja
	cmake --build $(BUILD)/win64 -j $(JOBS)

native: $(BUILD)/native/build.ninja
	cmake --build $(BUILD)/native -j $(JOBS)

# 32-bit programs are compiled to keep the code portable; they cannot run on this machine.
i686: $(BUILD)/i686/build.ninja
	cmake --build $(BUILD)/i686 -j $(JOBS) --target Keyloom KeyloomScheduler

build: win64

unit-test: native
	cd $(BUILD)/native && ctest --output-on-failure

# KEYLOOM_WINDOWS_JOBS tests at once (4), each on a virtual display and Wine prefix of its own.
windows-test: deps-test win64
	bash scripts/run-windows-tests.sh $(BUILD)/win64

# All of the above, the CPU work beside the Windows tests; each group's log in $(BUILD)/test-logs.
test: deps-build deps-test deps-fuzz
	@bash scripts/test-all.sh $(BUILD) $(MAKE) --no-print-directory

# Every reader of outside input under libFuzzer (clang, AddressSanitizer and UBSan), each target
# for FUZZ_SECONDS; fails on any crash, leak, overrun, broken property or hang. Built at -O1 with
# line tables only: as fast to fuzz, quicker to build, and a crash still names its lines.
FUZZ_SECONDS ?= 60
$(BUILD)/fuzz/build.ninja: | deps-build deps-fuzz
	cmake -S . -B $(BUILD)/fuzz $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG" \
	    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKEYLOOM_FUZZ=ON \
	    -DKEYLOOM_BUILD_TESTS=OFF

fuzz: $(BUILD)/fuzz/build.ninja
	cmake --build $(BUILD)/fuzz -j $(JOBS) --target fuzz_targets
	bash scripts/run-fuzz.sh $(BUILD)/fuzz $(FUZZ_SECONDS)

# The long soak of both programs under Wine (the short one is part of windows-test): 2,000
# hot-key plays, 200 hide/restore cycles and 500 interval fires, with their resource figures.
soak: deps-test win64
	KEYLOOM_SOAK=long KEYLOOM_BIN=$(abspath $(BUILD)/win64) KEYLOOM_SOURCE=$(CURDIR) \
	    bash scripts/run-bench.sh $(BUILD)/win64 soak_test.exe

# In a Wine prefix of its own ($(BUILD)/run), apart from the one the Windows tests reset. Builds
# the two programs only, not the tests.
run: deps-test $(BUILD)/win64/build.ninja
	cmake --build $(BUILD)/win64 -j $(JOBS) --target Keyloom KeyloomScheduler
	bash scripts/run-program.sh $(BUILD)/win64 Keyloom.exe $(BUILD)/run

# A hot key of Keyloom types a note into Notepad on a virtual display; screenshots in $(BUILD)/demo.
demo: deps-test win64
	bash scripts/demo.sh $(BUILD)/win64 $(BUILD)/demo

# The release: dist/keyloom-<version>-win64.zip and dist/keyloom-<version>-setup.exe.
dist: deps-release win64
	bash scripts/dist.sh $(BUILD)/win64 $(BUILD)/dist dist

# Unpacks the zip and runs both programs from it; installs, checks and uninstalls the installer.
dist-test: deps-test dist
	bash scripts/dist-test.sh $(BUILD)/win64 $(BUILD)/dist-test dist

format:
	find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | xargs clang-format -i

clean:
	rm -rf $(BUILD)
