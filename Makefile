# zq: build with `make`, try it with `make run`, check it with `make test`.
BUILD   := build
CMAKE_B := $(BUILD)/cmake
JOBS    ?= $(shell nproc 2>/dev/null || echo 2)
MAKEFLAGS += --no-print-directory
# A compiler cache makes rebuilds in a second work tree (and CI on a machine
# that built before) cheap; it is used only when it is there.
LAUNCHER := $(if $(shell command -v ccache 2>/dev/null),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

.PHONY: all setup configure build tests-build run test unit gui bench dist clean

all: build

setup:
	@scripts/setup

# The generated Makefile, not the cache, marks a finished configure: a run
# that failed half-way (no compiler yet) leaves a cache behind.
$(CMAKE_B)/Makefile:
	@cmake -S . -B $(CMAKE_B) -G "Unix Makefiles" \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake $(LAUNCHER) >/dev/null

configure: $(CMAKE_B)/Makefile

build: configure
	@cmake --build $(CMAKE_B) -j $(JOBS) --target zq

tests-build: configure
	@cmake --build $(CMAKE_B) -j $(JOBS)

run: setup build
	@scripts/run-app

test: setup tests-build
	@scripts/run-tests

unit: tests-build
	@scripts/run-tests -L unit

gui: tests-build
	@scripts/run-tests -L gui

bench: setup configure
	@cmake --build $(CMAKE_B) -j $(JOBS) --target zq benchmarks
	@scripts/run-bench

dist: build
	@rm -rf $(BUILD)/dist $(BUILD)/zq.zip
	@mkdir -p $(BUILD)/dist
	@cp -r $(BUILD)/bin $(BUILD)/dist/zq
	@rm -rf $(BUILD)/dist/zq/zq.ini $(BUILD)/dist/zq/zq.log $(BUILD)/dist/zq/zq_log.bck $(BUILD)/dist/zq/Log
	@find $(BUILD)/dist/zq -iname '*.exe' -o -iname '*.dll' -o -iname '*.sph' | xargs -r x86_64-w64-mingw32-strip
	@cd $(BUILD)/dist && zip -qr ../zq.zip zq
	@echo "dist: $(BUILD)/zq.zip"

clean:
	rm -rf $(BUILD)/cmake $(BUILD)/bin $(BUILD)/screenshots
