#!/usr/bin/env bash
# Fails when a source file of the core library or of glowmotion-cli includes a
# Qt header. The lists come from cmake/CoreSources.cmake, the same lists the
# build uses.
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(sed -n 's/^[[:space:]]*\([a-z]*\/[A-Za-z0-9_./]*\.\(cpp\|h\)\)[[:space:]]*$/\1/p' cmake/CoreSources.cmake)
[ -n "$files" ] || { echo "check-core-qt-free: no core sources found" >&2; exit 1; }
bad=$(grep -l -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]Q' $files || true)
if [ -n "$bad" ]; then
    echo "These core files include Qt headers; the core must stay free of Qt:" >&2
    echo "$bad" >&2
    exit 1
fi
echo "Core is free of Qt ($(echo "$files" | wc -l) files checked)."
