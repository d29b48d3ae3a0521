# Two commands: `make play` and `make test`. Both install what is missing first.
BUILD := build
ASAN_BUILD := build-asan
JOBS ?= $(shell nproc)

.PHONY: play test deps build build-asan install package clean

deps:
	@scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

play: build
	./$(BUILD)/wispen

# The whole suite once as built, then once more under AddressSanitizer and UndefinedBehaviorSanitizer.
build-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DWISPEN_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)

test: build build-asan
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# Installs under PREFIX (default ~/.local): the program in games/ with a link in bin/, its data read-only in
# share/games/wispen, the launcher, icons, metainfo and manual page. The progress goes to ~/.local/share/wispen.
PREFIX ?= $(HOME)/.local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package, build/wispen_<version>_<arch>.deb.
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
