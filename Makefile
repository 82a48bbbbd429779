# A thin wrapper: all build logic lives in CMake, the install step in tools/install-deps.sh.
WERROR := $(if $(CI),ON,OFF)

.PHONY: all deps build test run bench
all: build

deps:
	@tools/install-deps.sh

build: deps
	@cmake --preset default -DOHMBRA_WERROR=$(WERROR) >/dev/null
	@cmake --build --preset default

test: build
	@ctest --preset default

run: build
	@tools/run.sh

bench: build
	@tools/bench/run.sh
