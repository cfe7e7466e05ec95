# SPDX-FileCopyrightText: 2026 The Zendra developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The two commands a newcomer needs: `make run` and `make test`.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run tour test test-asan soak fuzz bench screenshots package package-check format clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@$(BUILD_DIR)/src/zendra

# The example tour through the scripting companion, without a window.
tour: build
	@cd examples && ../$(BUILD_DIR)/src/zendra-cli tour.zs

screenshots: build
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target zendra-screenshots
	@BUILD_DIR=$(BUILD_DIR) bash scripts/screenshots.sh

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The whole suite once more, built with AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer; any report fails the test that made it.
test-asan: deps
	@cmake -S . -B $(BUILD_DIR)-asan -DCMAKE_BUILD_TYPE=Debug -DZENDRA_SANITIZE=ON >/dev/null
	@cmake --build $(BUILD_DIR)-asan -j $(JOBS)
	@cd $(BUILD_DIR)-asan && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

# Random user actions on the window program for SOAK_SECONDS (600), built
# with the sanitizers, from a new seed each run; a failure is shrunk to the
# fewest actions that still fail and printed as a command that replays it.
SOAK_SECONDS ?= 600
SOAK_SEED ?= $(shell date +%s)
soak: deps
	@cmake -S . -B $(BUILD_DIR)-asan -DCMAKE_BUILD_TYPE=Debug -DZENDRA_SANITIZE=ON >/dev/null
	@cmake --build $(BUILD_DIR)-asan -j $(JOBS) --target zendra-soak
	@ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp UBSAN_OPTIONS=print_stacktrace=1 QT_QPA_PLATFORM=offscreen \
		$(BUILD_DIR)-asan/tests/soak/zendra-soak --seconds $(SOAK_SECONDS) --seed $(SOAK_SEED)

# Each fuzz target for FUZZ_SECONDS (60) from its seed corpus; clang only.
FUZZ_SECONDS ?= 60
fuzz: deps
	@cmake -S . -B $(BUILD_DIR)-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
		-DZENDRA_BUILD_FUZZ=ON -DZENDRA_BUILD_TESTS=OFF -DZENDRA_BUILD_GUI=OFF >/dev/null
	@cmake --build $(BUILD_DIR)-fuzz -j $(JOBS)
	@bash fuzz/run.sh $(BUILD_DIR)-fuzz $(FUZZ_SECONDS)

# Every benchmark runs even when one misses a goal; make bench fails at
# the end if any did.
bench: deps
	@cmake -S . -B $(BUILD_DIR)-bench -DCMAKE_BUILD_TYPE=Release -DZENDRA_BUILD_BENCH=ON >/dev/null
	@cmake --build $(BUILD_DIR)-bench -j $(JOBS) --target zendra-bench zendra zendra-exact-bench \
		zendra-window-bench zendra-editor-bench
	@missed=0; \
	$(BUILD_DIR)-bench/bench/zendra-bench --benchmark_color=false || missed=1; \
	$(BUILD_DIR)-bench/bench/zendra-exact-bench --benchmark_color=false || missed=1; \
	bash bench/startup.sh $(BUILD_DIR)-bench/src/zendra || missed=1; \
	$(BUILD_DIR)-bench/bench/zendra-window-bench --benchmark_color=false || missed=1; \
	$(BUILD_DIR)-bench/bench/zendra-editor-bench --benchmark_color=false || missed=1; \
	if [ $$missed -ne 0 ]; then echo "make bench: a goal was missed (see above)"; exit 1; fi

# A Debian package of the program: build/zendra_<version>_<arch>.deb. It is
# compiled with the flags Debian builds its packages with (dpkg-buildflags,
# all hardening features on), so its programs are hardened as Debian's are.
PACKAGE_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
package: deps
	@cmake -S . -B $(BUILD_DIR)-package -DCMAKE_BUILD_TYPE=Release -DZENDRA_BUILD_TESTS=OFF \
		-DCMAKE_CXX_FLAGS="$$($(PACKAGE_FLAGS) CPPFLAGS) $$($(PACKAGE_FLAGS) CXXFLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$$($(PACKAGE_FLAGS) LDFLAGS)" >/dev/null
	@cmake --build $(BUILD_DIR)-package -j $(JOBS)
	@cd $(BUILD_DIR)-package && cpack >/dev/null
	@mkdir -p $(BUILD_DIR) && cp $(BUILD_DIR)-package/zendra_*.deb $(BUILD_DIR)/
	@ls $(BUILD_DIR)/zendra_*.deb

# The newest package as Debian's tools see it (lintian, appstreamcli,
# desktop-file-validate report nothing; the versions agree), and reuse lint.
package-check: package
	@bash scripts/package-check.sh "$$(ls -t $(BUILD_DIR)-package/zendra_*.deb | head -n 1)"

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	@rm -rf $(BUILD_DIR) $(BUILD_DIR)-bench $(BUILD_DIR)-package $(BUILD_DIR)-asan $(BUILD_DIR)-fuzz
