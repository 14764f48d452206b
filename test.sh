#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors, and
# runs every test headless: once in the normal build, once more for the core
# with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh

# desktop-file-validate checks the installed menu entry.
ensure_packages "${GLOWMOTION_PACKAGES[@]}" "${GLOWMOTION_TEST_PACKAGES[@]}" \
    "${GLOWMOTION_PACKAGE_TOOLS[@]}" desktop-file-utils
export QT_QPA_PLATFORM=offscreen

# The core must build and run without Qt.
scripts/check-core-qt-free.sh

# Includes run one way through the layers.
scripts/check-layers.sh

build_tree build -DGLOWMOTION_BUILD_SHELL=ON -DGLOWMOTION_WERROR=ON
(cd build && ctest --output-on-failure -j "$(nproc)")

build_tree build-sanitize -DCMAKE_BUILD_TYPE=Debug -DGLOWMOTION_BUILD_SHELL=OFF -DGLOWMOTION_SANITIZE=ON \
    -DGLOWMOTION_WERROR=ON
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --output-on-failure -j "$(nproc)")

echo "All tests passed."
