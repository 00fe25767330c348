# Two commands matter: `make run` builds and starts Pocket VEL, `make test` builds and runs
# every test. Both install the Debian packages they need first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all setup configure build test run clean

all: build

setup:
	@bash scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEL_WERROR=ON $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

run: build
	@$(BUILD)/app/velppc $(FILE)

clean:
	rm -rf $(BUILD) build-*
