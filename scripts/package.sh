#!/usr/bin/env bash
# Builds the editor and the CLI for release in build-release/ and makes the
# Debian package with CPack: build-release/glowmotion_<version>_<arch>.deb.
# Install it with: sudo apt-get install ./build-release/glowmotion_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

ensure_packages "${GLOWMOTION_PACKAGES[@]}" "${GLOWMOTION_PACKAGE_TOOLS[@]}"
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DGLOWMOTION_BUILD_SHELL=ON \
    -DGLOWMOTION_BUILD_TESTS=OFF -DGLOWMOTION_BUILD_BENCH=OFF >/dev/null
cmake --build build-release -j "$(nproc)"
# An older version's package would match the glob of the install line too.
rm -f build-release/glowmotion_*.deb
(cd build-release && cpack -G DEB)
ls -1 build-release/*.deb
