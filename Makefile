# Two commands: `make play` and `make test`. Both install what is missing first.
BUILD := build
ASAN_BUILD := build-asan
FUZZ_BUILD := build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)
# build/ and build-asan/ compile each library and program as one unit (up to eight files each): the headers
# are then read once a unit instead of once a file, which halves a fresh clone's compile time. Names in a
# file's anonymous namespace must hence differ from those in the other files of its library or program; a tree
# configured by hand compiles file by file and so still finds a file that leaves out an include.
UNITY := -DCMAKE_UNITY_BUILD=ON
# A new tree is generated for Ninja, which starts a unit's compile as soon as the files it needs exist and
# spends less than make's recursive steps around them; a tree that exists keeps the generator it was made with.
generator = $(if $(wildcard $(1)/CMakeCache.txt),,$(if $(shell command -v ninja),-G Ninja))
# The tests mostly wait on real time (a window's real frames, a virtual X server starting, a recorded game
# played at its own speed), each on a display of its own: three at a time for each core keeps the cores busy.
TEST_JOBS ?= $(shell echo $$(( $(JOBS) * 3 )))

.PHONY: play test bench fuzz deps build build-asan build-release install package clean

deps:
	@scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) $(call generator,$(BUILD)) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(UNITY) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

play: build
	./$(BUILD)/wispen

# The whole suite once as built, then once more under AddressSanitizer and UndefinedBehaviorSanitizer.
build-asan: deps
	@cmake -S . -B $(ASAN_BUILD) $(call generator,$(ASAN_BUILD)) -DCMAKE_BUILD_TYPE=Debug -DWISPEN_SANITIZE=ON $(UNITY) >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)

test: build build-asan
	ctest --test-dir $(BUILD) --output-on-failure -j $(TEST_JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(TEST_JOBS)

# The loaders' libFuzzer targets, built with clang, each run for FUZZ_SECONDS on seeds from the game's data
# (hence the plain build first) and the tests' files. Findings land in build-fuzz/findings/.
fuzz: build
	@cmake -S . -B $(FUZZ_BUILD) $(call generator,$(FUZZ_BUILD)) -DWISPEN_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	tests/fuzz/run.sh $(FUZZ_BUILD) $(BUILD)/Data $(FUZZ_SECONDS)

# Installs under PREFIX (default ~/.local): the program in games/ with a link in bin/, its data read-only in
# share/games/wispen, the launcher, icons, metainfo and manual page. The progress goes to ~/.local/share/wispen.
PREFIX ?= $(HOME)/.local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The performance figures: a Release build, every case with its ratio to the memory floor measured in the same
# run. The window's present needs a display: a virtual one when there is none.
RELEASE_BUILD := build-release
build-release: deps
	@cmake -S . -B $(RELEASE_BUILD) $(call generator,$(RELEASE_BUILD)) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(RELEASE_BUILD) -j $(JOBS) --target wispen_bench

bench: build-release
	$(if $(DISPLAY),,xvfb-run -a -s "-screen 0 1280x1024x24 -noreset") ./$(RELEASE_BUILD)/bench/wispen_bench $(BENCH_ARGS)

# The Debian package, build/wispen_<version>_<arch>.deb.
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(RELEASE_BUILD) $(FUZZ_BUILD)
