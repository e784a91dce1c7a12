#!/usr/bin/env bash
# Everything CI checks, in order:
#  1. builds the program and runs every test (GUI tests on the offscreen
#     platform);
#  2. builds the Debian package, checks it, installs it, runs the installed
#     programs on the installed sample and removes it (scripts/package-check.sh);
#  3. runs each fuzz program for a fixed time over its seeds and regression
#     inputs (scripts/fuzz.sh; skipped without clang);
#  4. builds everything with AddressSanitizer and UndefinedBehaviorSanitizer
#     and runs the whole test suite again (scripts/sanitize.sh).
# --quick runs step 1 only.
set -euo pipefail
cd "$(dirname "$0")/.."
quick=0
[ "${1:-}" = "--quick" ] && quick=1
start=$SECONDS
scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$(nproc)"
echo "build and tests: $((SECONDS - start)) s"
[ $quick = 1 ] && exit 0

step=$SECONDS
bash scripts/package-check.sh
echo "package: $((SECONDS - step)) s"

step=$SECONDS
bash scripts/fuzz.sh
echo "fuzzing: $((SECONDS - step)) s"

step=$SECONDS
bash scripts/sanitize.sh
echo "sanitizer build and tests: $((SECONDS - step)) s"
echo "all checks: $((SECONDS - start)) s"
