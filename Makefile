# Two commands matter: `make run` builds and starts Pocket VEL, `make test` builds and runs
# every test, in a normal build (under the C locale and again under a comma-decimal one) and
# with AddressSanitizer and UndefinedBehaviorSanitizer. Both install the Debian packages they
# need first.
MAKEFLAGS += --no-print-directory
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
FUZZ_RUNS ?= 10000000
EVENTS ?= 20000
SEED ?= 1
FUZZ_SECONDS ?= 0
PREFIX ?= /usr/local
COMMA_LOCALE = de_DE.UTF-8
# The tests of formats, files, settings and exports, and an editing round trip, run under
# these as well: French writes decimals with a comma too, Turkish has a dotless i.
MORE_LOCALES = fr_FR.UTF-8 tr_TR.UTF-8
LOCALE_TESTS = ^(FormatValue|ParseFormat|ParseValue|Text|InvestmentFile|ExtensionBlock|Settings|BadSettings|QtSettingsStore|AtomicWrite|Workbook|ExportTest|Velcalc|Velreport|CommaLocale|Locales|EditItemFlow\.WorkedExampleThroughTheDialogs)\.
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
                LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
                UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: all setup configure build test test-plain configure-sanitize test-sanitize monkey run bench \
        fuzz fuzz-asan screenshots \
        examples install uninstall clean

all: build

setup:
	@bash scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEL_WERROR=ON $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	@$(BUILD)/app/velppc $(FILE)

test: test-plain test-sanitize

# The plain build's tests run twice: under the C locale and under a comma-decimal locale, as
# on a large share of desktops; then the tests that read and write under two more (the set-up
# generates them all).
test-plain: build
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	@echo "Again under $(COMMA_LOCALE):"
	@cd $(BUILD) && LC_ALL=$(COMMA_LOCALE) LANG=$(COMMA_LOCALE) ctest --output-on-failure -j$(JOBS) \
	    -E '^Install'
	@for l in $(MORE_LOCALES); do \
	    echo "Formats, files, settings and exports under $$l:"; \
	    (cd $(BUILD) && LC_ALL=$$l LANG=$$l ctest --output-on-failure -j$(JOBS) \
	        -R '$(LOCALE_TESTS)') || exit 1; \
	done

configure-sanitize: setup
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 \
	    -DVEL_SANITIZE=ON -DVEL_WERROR=ON $(CMAKE_FLAGS) >/dev/null

test-sanitize: configure-sanitize
	@cmake --build $(ASAN_BUILD) -j$(JOBS)
	@cd $(ASAN_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j$(JOBS)

# Random use of the whole program under the sanitizers, as long as asked; a failure names
# the seed and the step to replay.
monkey: configure-sanitize
	@cmake --build $(ASAN_BUILD) -j$(JOBS) --target vel_monkey
	@$(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen $(ASAN_BUILD)/tests/vel_monkey \
	    --events $(EVENTS) --seed $(SEED)

bench: setup
	@cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVEL_BENCH=ON >/dev/null
	@cmake --build build-bench -j$(JOBS) --target vel_bench vel_startup_probe vel_startup_floor \
	    vel_launch
	@build-bench/bench/vel_bench
	@bash bench/startup.sh build-bench/bench/vel_startup_probe build-bench/bench/vel_startup_floor

fuzz: setup
	@bash scripts/setup.sh clang libclang-rt-14-dev
	@CXX=clang++ cmake -S . -B build-fuzz-depth -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEL_WITH_QT=OFF \
	    -DVEL_FUZZ=ON -DVEL_FUZZ_EDGES_ONLY=ON -DVEL_SANITIZE_UNDEFINED=ON >/dev/null
	@cmake --build build-fuzz-depth -j$(JOBS) --target fuzz_investment_file fuzz_extension_block \
	    fuzz_scale_text fuzz_parse_value fuzz_format_value fuzz_settings_file
	@bash scripts/fuzz.sh build-fuzz-depth/fuzz $(FUZZ_RUNS) $(FUZZ_SECONDS)

# The same harnesses under AddressSanitizer as well, steered by the comparisons too: about a
# fifth of the speed, so for shorter runs (FUZZ_RUNS=1000000, say).
fuzz-asan: setup
	@bash scripts/setup.sh clang libclang-rt-14-dev
	@CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEL_WITH_QT=OFF \
	    -DVEL_FUZZ=ON -DVEL_SANITIZE=ON >/dev/null
	@cmake --build build-fuzz -j$(JOBS) --target fuzz_investment_file fuzz_extension_block \
	    fuzz_scale_text fuzz_parse_value fuzz_format_value fuzz_settings_file
	@bash scripts/fuzz.sh build-fuzz/fuzz $(FUZZ_RUNS) $(FUZZ_SECONDS)

screenshots: build
	@mkdir -p docs/screenshots
	@VEL_SCREENSHOT_DIR=$(CURDIR)/docs/screenshots QT_QPA_PLATFORM=offscreen \
	    $(BUILD)/tests/test_ui --gtest_filter='Screenshots.*'
	@$(BUILD)/tools/velreport examples/worked-example-interest-only.vel -o $(BUILD)/report.pdf
	@pdftoppm -png -r 60 -f 1 -l 1 $(BUILD)/report.pdf docs/screenshots/report-page

# Writes the investment files of examples/ afresh, with the program's own code.
examples: configure
	@cmake --build $(BUILD) -j$(JOBS) --target test_examples
	@VEL_EXAMPLES_DIR=$(CURDIR)/examples $(BUILD)/tests/test_examples \
	    --gtest_filter='ExamplesTest.WriteWhenAsked'

# The programs, the desktop entry, the file type, the icon and the examples under $(PREFIX);
# uninstall removes what the last install from $(BUILD) put there.
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

uninstall:
	@cmake -DVEL_BINARY_DIR=$(abspath $(BUILD)) -P cmake/Uninstall.cmake

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-bench build-fuzz build-fuzz-depth
