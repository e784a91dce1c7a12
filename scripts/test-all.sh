#!/usr/bin/env bash
# Builds the program and runs every test (GUI tests use the offscreen platform).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$(nproc)"
