#!/usr/bin/env bash
# Builds the program and starts it, ready to open the shipped sample (sample.pam).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh astroplate
exec build/bin/astroplate build/bin/sample.pam
