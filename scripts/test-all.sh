#!/usr/bin/env bash
# Builds the program and runs every test (GUI tests use the offscreen
# platform), then the fuzz programs for a fixed time each (scripts/fuzz.sh).
# --quick runs the tests only.
set -euo pipefail
cd "$(dirname "$0")/.."
quick=0
[ "${1:-}" = "--quick" ] && quick=1
start=$SECONDS
scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$(nproc)"
echo "tests: $((SECONDS - start)) s"
[ $quick = 1 ] && exit 0

step=$SECONDS
bash scripts/fuzz.sh
echo "fuzzing: $((SECONDS - step)) s"
echo "all checks: $((SECONDS - start)) s"
