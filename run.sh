#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor.
# Usage: ./run.sh [FILE.qvl]
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh

ensure_packages "${GLOWMOTION_PACKAGES[@]}"
build_tree build -DGLOWMOTION_BUILD_SHELL=ON

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Glowmotion needs a display, and none was found (DISPLAY is not set)." >&2
    echo "Run it from a desktop session, or look at it under a virtual display:" >&2
    echo "    xvfb-run ./run.sh" >&2
    exit 1
fi
exec build/glowmotion "$@"
