# Two commands do everything on a fresh Debian 12 machine:
#   make run    install what is missing, build (Release) into build/, start build/astrelo
#   make test   install what is missing, build, run every test through CTest
#   make package  build build/astrelo_<version>_<arch>.deb (sudo apt-get install ./build/astrelo_*.deb)
#   make bench  build (Release), run the benchmarks against the plain-Qt floor, print one table
#               (make bench-quick: one short pass that only shows that everything runs)
#   make soak   build (Release), run the random-event soak for 1,000,000 events, print events/s
#               and peak memory (ASTRELO_SOAK_SEED=N repeats a run)
#   make test-sanitize  build with ASan, LSan and UBSan into build-sanitize/ and run the tests
#               there, the 20,000-event soak among them; any sanitizer report fails the run
#   make lint   clang-tidy (checks in .clang-tidy) and cppcheck over the project's own sources
#   make format  clang-format (.clang-format) applied to every C++ file; make format-check only
#               lists the files it would change and fails if there are any
BUILD := build
JOBS  := $(shell nproc 2>/dev/null || echo 2)
DEPS  := tools/install-deps.sh

.PHONY: run test package bench bench-quick build deps-build deps-test deps-package clean
.PHONY: soak test-sanitize lint deps-lint format format-check deps-format

run: deps-build build
	./$(BUILD)/astrelo

test: deps-test build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

package: deps-package build
	cd $(BUILD) && cpack -G DEB

bench: deps-test build
	sh bench/run.sh $(BUILD)

bench-quick: deps-test build
	sh bench/run.sh $(BUILD) --quick

soak: deps-test build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ASTRELO_SOAK_EVENTS=1000000 ./tests/tst_soak

# Every sanitizer report ends its process with status 99, so the test that saw it fails.
# Benchmarks and packaging checks are left out: they measure or package a normal build; so are
# the desktop checks, which load GTK, Weston's client side and the accessibility bus.
SANITIZE := build-sanitize
SANITIZER_ENV := ASAN_OPTIONS=halt_on_error=1:exitcode=99:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:exitcode=99 \
	LSAN_OPTIONS=exitcode=99:suppressions=$(CURDIR)/tests/lsan.supp

test-sanitize: deps-test
	cmake -S . -B $(SANITIZE) -DASTRELO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(SANITIZE) -j $(JOBS)
	cd $(SANITIZE) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS) -E '^(bench|packaging|desktop)_'

# The project's own sources only: no generated files, nothing from a build folder. Each test,
# tool and benchmark is a program of its own, so cppcheck's whole-program one-definition check
# does not apply across them.
LINT_DIRS := app catalogue toolkit main_window about_window tests tools bench
lint: deps-lint build
	status=0; \
	find $(LINT_DIRS) -name '*.cpp' | sort | xargs -n 1 -P $(JOBS) clang-tidy -p $(BUILD) --quiet \
		--header-filter='^$(CURDIR)/($(shell echo $(LINT_DIRS) | tr ' ' '|'))/' || status=1; \
	cppcheck --quiet --error-exitcode=1 --std=c++20 --language=c++ --library=qt \
		--enable=warning,performance,portability --inline-suppr \
		--suppress=missingIncludeSystem --suppress=ctuOneDefinitionRuleViolation \
		$(addprefix -I ,$(LINT_DIRS)) $(LINT_DIRS) || status=1; \
	exit $$status

FORMAT_FILES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null)
format: deps-format
	clang-format -i $(FORMAT_FILES)

format-check: deps-format
	@status=0; for f in $(FORMAT_FILES); do \
		clang-format --dry-run -Werror "$$f" >/dev/null 2>&1 || { echo "not formatted: $$f"; status=1; }; \
	done; exit $$status

deps-format:
	@sh $(DEPS) format

# Each target asks for all the groups it needs at once, so that one install line covers them.
deps-lint:
	@sh $(DEPS) build lint

deps-build:
	@sh $(DEPS) build

deps-test:
	@sh $(DEPS) build test

deps-package:
	@sh $(DEPS) build package

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

clean:
	rm -rf $(BUILD) build-*
