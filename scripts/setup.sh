#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need
# (only those that are missing), then configures and builds into ./build:
# the targets named as arguments (e.g. astroplate), or everything.
set -euo pipefail
cd "$(dirname "$0")/.."
packages=(build-essential cmake qt6-base-dev qt6-image-formats-plugins libqt6svg6
          qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
          libgtest-dev libbenchmark-dev liberfa-dev zlib1g-dev wcslib-dev pkgconf
          clang libclang-rt-14-dev
          # FITS images; local star catalogues (index files, the wide-field Tycho-2
          # series, and the tool the tests build small index files with)
          libcfitsio-dev libastrometry-dev astrometry-data-tycho2-10-19 astrometry.net
          # the manual pages are written by a Python script; the package check
          python3 dpkg-dev lintian desktop-file-utils appstream strace)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ $# -gt 0 ]; then
  cmake --build build -j"$(nproc)" --target "$@"
else
  cmake --build build -j"$(nproc)"
fi
