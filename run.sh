#!/usr/bin/env bash
# Installs what is missing, builds the editor, and starts it.
# Usage: ./run.sh [FILE.qvl]
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh

# Looked at before anything is built: without a display the window cannot
# come up, and the build would be for nothing.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Glowmotion needs a display, and none was found (DISPLAY is not set)." >&2
    echo "Run it from a desktop session, or look at it under a virtual display:" >&2
    echo "    xvfb-run ./run.sh" >&2
    exit 1
fi

ensure_packages "${GLOWMOTION_PACKAGES[@]}"
# Only the editor: the tests, glowmotion-cli, the benchmarks and the fuzz
# replays are built by ./test.sh, in the same build directory.
build_target build glowmotion -DGLOWMOTION_BUILD_SHELL=ON
exec build/glowmotion "$@"
