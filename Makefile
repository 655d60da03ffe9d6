# Thin wrapper over CMake. `make run` and `make test` do all the set-up on a
# fresh Debian 12 machine. Builds take a machine-wide lock so that two builds
# never run at once.
BUILD    ?= build
ASAN     ?= build-asan
JOBS     ?= $(shell nproc)
LOCK     := flock /tmp/tintry-build.lock
# Extra CMake settings, e.g. CMAKE_FLAGS=-DTINTRY_WERROR=ON (as CI builds).
CMAKE_FLAGS ?=
# Where `make install` puts things; DESTDIR stages the tree for a package.
PREFIX   ?= /usr/local
DESTDIR  ?=

.PHONY: all deps configure build run test asan-test fuzz bench format format-check translations install clean

all: build

deps:
	@tools/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	$(LOCK) cmake --build $(BUILD) -j $(JOBS)

# Only the program and its translations: tests, fuzzers and benchmarks wait for `make test`.
run: deps $(BUILD)/CMakeCache.txt
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "tintry: no display found; to run it without one, use: xvfb-run -a make run"; \
	  exit 1; \
	fi
	$(LOCK) cmake --build $(BUILD) -j $(JOBS) --target tintry
	$(BUILD)/app/tintry

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The whole suite once more under AddressSanitizer and UndefinedBehaviorSanitizer.
asan-test: deps
	cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DTINTRY_SANITIZE=ON -DTINTRY_BUILD_BENCH=OFF $(CMAKE_FLAGS)
	$(LOCK) cmake --build $(ASAN) -j $(JOBS)
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  ctest --output-on-failure -j $(JOBS)

# Coverage-guided fuzzing of every reader of outside files (FUZZ_SECONDS each).
FUZZ_SECONDS ?= 600
fuzz: deps
	tools/fuzz.sh $(FUZZ_SECONDS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b; done

# Brings lang/*.ts up to date with the texts in the sources.
translations:
	/usr/lib/qt6/bin/lupdate -no-obsolete -locations none app converter chart widgets core cli -ts lang/tintry_*.ts

format: deps
	clang-format -i $$(git ls-files '*.cpp' '*.h')

# Fails when any file is not as clang-format would write it.
format-check: deps
	clang-format --dry-run -Werror $$(git ls-files '*.cpp' '*.h')

# The programs and their desktop files, in the GNU directories under PREFIX.
install: deps $(BUILD)/CMakeCache.txt
	$(LOCK) cmake --build $(BUILD) -j $(JOBS) --target tintry tintry-chart tintry-gamut
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

clean:
	rm -rf $(BUILD) $(ASAN)
