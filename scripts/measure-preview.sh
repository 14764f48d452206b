#!/usr/bin/env bash
# Measures what a preview costs: the editor under a virtual display plays an
# 800-screen bank ("TEST", F5) and the CPU time of all its threads is read
# from the scheduler over SECONDS (60 unless told). Three runs: the main
# window alone, with the filmstrip and the LED sign window (1920 x 1280)
# open, and the sign window alone. The screens are a band of blocky letters
# that scrolls left by a column a screen, as a scrolling text does; with
# CONTENT=noise they are random dots instead, half of them lit, so that half
# of the dots change from one screen to the next: a harder case than any
# animation.
#
# Usage: [CONTENT=noise] scripts/measure-preview.sh [SECONDS] [BUILD_DIR]
# Needs a built editor (./run.sh or ./test.sh builds one) and xvfb-run and
# xdotool, which it installs when run as root. The user's settings are not
# touched.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
ensure_packages "${GLOWMOTION_MEASURE_TOOLS[@]}"

seconds=${1:-60}
editor=$(realpath "${2:-build}")/glowmotion
[ -x "$editor" ] || { echo "No editor at $editor: build it first." >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# 800 screens of 48 column words (bit 31 the top row, little-endian), the
# same every time.
if [ "${CONTENT:-scroll}" = noise ]; then
    LC_ALL=C awk 'BEGIN { srand(21); for (i = 0; i < 800 * 192; i++) printf "%c", int(rand() * 256) }' \
        >"$work/anim.qvl"
else
    # Letters five columns wide and a blank column, on rows 8 to 23, each
    # dot two rows high; screen n shows the band from its column n.
    LC_ALL=C awk 'BEGIN {
        srand(21)
        for (c = 0; c < 848; c++) {
            word = 0
            if (c % 6 != 5)
                for (r = 0; r < 8; r++)
                    if (rand() < 0.45)
                        word += 3 * 2 ^ (8 + 2 * r)
            band[c] = word
        }
        for (s = 0; s < 800; s++)
            for (c = 0; c < 48; c++) {
                word = band[s + c]
                for (b = 0; b < 4; b++) {
                    printf "%c", word % 256
                    word = int(word / 256)
                }
            }
    }' >"$work/anim.qvl"
fi

cat >"$work/run.sh" <<'EOF'
#!/usr/bin/env bash
# Inside the virtual display: $1 editor, $2 file, $3 seconds, $4 windows to open.
set -euo pipefail
"$1" "$2" 2>/dev/null &
pid=$!
sleep 3
main=$(xdotool search --name "Glowmotion 32" | head -1)
menu() { # "表示(&V)" and the access key of an item
    xdotool windowfocus --sync "$main"
    xdotool key alt+v
    sleep 0.5
    xdotool key "$1"
    sleep 1
}
case "$4" in
*sign*)
    menu l
    sign=$(xdotool search --name "LED看板" | head -1)
    xdotool windowmove "$sign" 1040 0 windowsize "$sign" 1920 1280
    sleep 1
    ;;
esac
case "$4" in *filmstrip*) menu f ;; esac
xdotool windowfocus --sync "$main"
xdotool key F5
sleep 1
cpu() { cat /proc/"$pid"/task/*/schedstat | awk '{ ns += $1 } END { print ns }'; }
before=$(cpu)
sleep "$3"
after=$(cpu)
kill "$pid"
awk -v ns=$((after - before)) -v s="$3" -v w="$4" \
    'BEGIN { printf "%-22s %6.0f ms of CPU in %d s: %.2f %% of a core\n", w, ns / 1e6, s, ns / 1e7 / s }'
EOF
chmod +x "$work/run.sh"

for windows in "main window" "filmstrip and sign" "sign"; do
    xvfb-run -a -s "-screen 0 3000x1400x24" "$work/run.sh" "$editor" "$work/anim.qvl" \
        "$seconds" "$windows"
done
