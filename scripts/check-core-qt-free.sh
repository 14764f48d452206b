#!/usr/bin/env bash
# Fails when a file of the core library, the headless session or glowmotion-cli
# includes a Qt header. Qt code lives in qt/ folders only (app/qt/, view/qt/);
# every other source file under the program's folders must build without Qt.
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(find store macro view edit effects output app headless cli -type f \( -name '*.cpp' -o -name '*.h' \) \
        -not -path '*/qt/*' 2>/dev/null | sort || true)
[ -n "$files" ] || { echo "check-core-qt-free: no core sources found" >&2; exit 1; }
bad=$(grep -l -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]Q' $files || true)
if [ -n "$bad" ]; then
    echo "These files outside qt/ folders include Qt headers; the core must stay free of Qt:" >&2
    echo "$bad" >&2
    exit 1
fi
echo "Core is free of Qt ($(echo "$files" | wc -l) files checked)."
