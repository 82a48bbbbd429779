# A thin wrapper: all build logic lives in CMake, the install step in tools/install-deps.sh.
WERROR := $(if $(CI),ON,OFF)

.PHONY: all deps build build-asan test run bench
all: build

deps:
	@tools/install-deps.sh

build: deps
	@cmake --preset default -DOHMBRA_WERROR=$(WERROR) >/dev/null
	@cmake --build --preset default

build-asan: deps
	@cmake --preset asan -DOHMBRA_WERROR=$(WERROR) >/dev/null
	@cmake --build --preset asan

# Every test twice: as built for use, then under AddressSanitizer and UndefinedBehaviorSanitizer.
test: build build-asan
	@ctest --preset default
	@ctest --preset asan

run: build
	@tools/run.sh

bench: build
	@tools/bench/run.sh
