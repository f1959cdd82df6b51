# Two commands do everything on a fresh Debian 12 machine:
#   make run    install what is missing, build (Release) into build/, start build/astrelo
#   make test   install what is missing, build, run every test through CTest
BUILD := build
JOBS  := $(shell nproc 2>/dev/null || echo 2)
DEPS  := tools/install-deps.sh

.PHONY: run test build deps-build deps-test configure clean

run: deps-build build
	./$(BUILD)/astrelo

test: deps-build deps-test build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

deps-build:
	@sh $(DEPS) build

deps-test:
	@sh $(DEPS) test

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

clean:
	rm -rf $(BUILD) build-*
