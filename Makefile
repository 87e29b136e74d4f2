# SPDX-FileCopyrightText: 2026 The Quorvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The two set-up commands are `make run` and `make test`; everything else is for developers.
BUILD      ?= build
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
FUZZ_BUILD ?= build-fuzz
BENCH_BUILD ?= build-bench
# Seconds each fuzz target runs in `make fuzz`.
FUZZ_SECONDS ?= 20
JOBS       ?= $(shell nproc)
# Off by default, on in CI (.ci/run).
WERROR     ?= OFF
SANITIZE   ?= OFF
FUZZ       ?= OFF

CMAKE_FLAGS = -DQUORVANE_WERROR=$(WERROR)
LAUNCHER    = $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache,)

.PHONY: all deps build run test test-asan test-tsan fuzz bench format format-check package clean

all: build

deps:
	@scripts/install-deps all

build: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) $(LAUNCHER) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

# Opens the program.
run: build
	@$(BUILD)/src/quorvane $(ARGS)

# Builds and runs every test; with SANITIZE=ON also the core under ASan and UBSan and again under
# TSan, in builds without the window, which shows that the core needs no Qt.
test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)
ifeq ($(SANITIZE),ON)
	@$(MAKE) --no-print-directory test-asan
	@$(MAKE) --no-print-directory test-tsan
endif
ifeq ($(FUZZ),ON)
	@$(MAKE) --no-print-directory fuzz
endif

test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) $(CMAKE_FLAGS) $(LAUNCHER) -DQUORVANE_SANITIZE=ON \
	       -DQUORVANE_BUILD_GUI=OFF -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(ASAN_BUILD) -j$(JOBS)
	@ctest --test-dir $(ASAN_BUILD) --output-on-failure -j$(JOBS)

# The core and the command line under ThreadSanitizer, optimised as TSan is meant to run. This
# TSan cannot map its shadow memory when the kernel places mappings with more random bits than
# it knows ("FATAL: ThreadSanitizer: unexpected memory mapping" on start), so the build (whose
# test discovery runs the tests) and the tests run with address randomisation off for their
# process tree; where a container forbids that, root lowers the randomisation to what TSan knows.
TSAN_RUN = TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
           $(shell setarch $$(uname -m) -R true 2>/dev/null && echo setarch $$(uname -m) -R)
test-tsan: deps
	@if ! setarch $$(uname -m) -R true 2>/dev/null && [ "$$(id -u)" = 0 ] && \
	    [ "$$(cat /proc/sys/vm/mmap_rnd_bits 2>/dev/null || echo 0)" -gt 28 ]; then \
	    echo "setting vm.mmap_rnd_bits to 28 for ThreadSanitizer"; \
	    echo 28 >/proc/sys/vm/mmap_rnd_bits || echo "could not; TSan may refuse to start"; \
	fi
	@cmake -S . -B $(TSAN_BUILD) $(CMAKE_FLAGS) $(LAUNCHER) -DQUORVANE_TSAN=ON \
	       -DQUORVANE_BUILD_GUI=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@$(TSAN_RUN) cmake --build $(TSAN_BUILD) -j$(JOBS)
	@$(TSAN_RUN) ctest --test-dir $(TSAN_BUILD) --output-on-failure -j$(JOBS)

# Every fuzz target for FUZZ_SECONDS over a copy of its seed corpus (clang, ASan, UBSan).
fuzz: deps
	@CXX=clang++-14 cmake -S . -B $(FUZZ_BUILD) -DQUORVANE_WERROR=$(WERROR) $(LAUNCHER) -DQUORVANE_FUZZ=ON \
	       -DQUORVANE_BUILD_GUI=OFF -DQUORVANE_BUILD_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(FUZZ_BUILD) -j$(JOBS)
	@for target in FuzzRuleJson FuzzPhraseParser FuzzRenameEngine FuzzCommandLine; do \
	    rm -rf $(FUZZ_BUILD)/corpus-$$target && cp -r fuzz/corpus/$$target $(FUZZ_BUILD)/corpus-$$target && \
	    echo "fuzzing $$target for $(FUZZ_SECONDS) s" && \
	    $(FUZZ_BUILD)/fuzz/$$target -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 \
	        -print_final_stats=0 -artifact_prefix=$(FUZZ_BUILD)/ $(FUZZ_BUILD)/corpus-$$target 2>$(FUZZ_BUILD)/$$target.log \
	        || { tail -n 60 $(FUZZ_BUILD)/$$target.log; exit 1; }; \
	done

bench: deps
	@cmake -S . -B $(BENCH_BUILD) $(CMAKE_FLAGS) $(LAUNCHER) -DQUORVANE_BUILD_BENCH=ON -DQUORVANE_BUILD_TESTS=OFF \
	       -DQUORVANE_BUILD_GUI=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BENCH_BUILD) -j$(JOBS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

# Builds the .deb into the build folder.
package: build
	@cmake --build $(BUILD) --target package

clean:
	@rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD) $(BENCH_BUILD)
