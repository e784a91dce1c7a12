#!/usr/bin/env bash
# Builds the program and every test with AddressSanitizer and
# UndefinedBehaviorSanitizer into ./build-asan and runs the whole test suite
# there. Any memory error, leak or undefined behaviour fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" -DSANITIZE=ON \
  -DBUILD_BENCHMARKS=OFF -DWARNINGS_AS_ERRORS=OFF >/dev/null
cmake --build build-asan -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=0"
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# The blind solves of the real fields (label "search") run in the solver
# library, which is not instrumented; the sample's blind-solve tests cover
# our side of it here.
ctest --test-dir build-asan --output-on-failure -j"$(nproc)" -LE search
