#!/usr/bin/env bash
# Fails when a source file includes a project header against the order of the
# layers: store -> macro -> view / edit / effects -> app -> the Qt shell (qt/
# folders) and headless -> glowmotion-cli, with output/ beside view, edit and
# effects. A layer includes its own files and those of the layers before it;
# view, edit, effects and output never include each other, the Qt shell
# never includes the headless session or the CLI.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A allowed=(
    [store]="store"
    [macro]="store macro"
    [view]="store macro view"
    [edit]="store macro edit"
    [effects]="store macro effects"
    [output]="store macro output"
    [app]="store macro view edit effects output app"
    [qt]="store macro view edit effects output app qt"
    [headless]="store macro view edit effects output app headless"
    [cli]="store macro view edit effects output app headless cli"
)

# The layer of a path: its top folder, or "qt" for anything in a qt/ folder.
layer_of() {
    case "$1" in
        */qt/*) echo qt ;;
        *) echo "${1%%/*}" ;;
    esac
}

bad=0
checked=0
while IFS= read -r file; do
    from=$(layer_of "$file")
    checked=$((checked + 1))
    while IFS= read -r target; do
        to=$(layer_of "$target")
        [ -n "${allowed[$to]+x}" ] || continue # not a layer folder (tests, std)
        if [[ " ${allowed[$from]} " != *" $to "* ]]; then
            echo "$file includes $target: $from may not include $to" >&2
            bad=1
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find store macro view edit effects output app headless cli -type f \
              \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | sort || true)

if [ "$bad" -ne 0 ]; then
    echo "Includes run against the layers (see scripts/check-layers.sh)." >&2
    exit 1
fi
echo "Layers in order ($checked files checked)."
