#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/ and runs each for SECONDS seconds
# (default 60), one after another, starting from the generated seed corpus.
# The corpus grows in build-fuzz/corpus/<target>; a finding stops the script
# and is left in build-fuzz/artifacts/<target>/. Usage:
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(qvl_open mcr_load bmp_import gif_import macro_engine character_import)

ensure_packages "${GLOWMOTION_PACKAGES[@]}" clang libclang-rt-14-dev

sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DGLOWMOTION_FUZZ=ON -DGLOWMOTION_BUILD_TESTS=OFF -DGLOWMOTION_BUILD_SHELL=OFF \
    -DGLOWMOTION_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link -fsanitize-coverage-ignorelist=$PWD/fuzz/coverage-ignorelist.txt $sanitize" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitize" >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target make_seed_corpus "${targets[@]/#/fuzz_}"

rm -rf build-fuzz/seeds
build-fuzz/fuzz/make_seed_corpus build-fuzz/seeds

# The largest input worth trying: a whole bank for .qvl, a GIF of a few
# frames, a full macro with its banks and answers.
max_len() {
    case "$1" in
        qvl_open) echo 160000 ;;
        gif_import) echo 65536 ;;
        macro_engine) echo 9000 ;;
        mcr_load) echo 9000 ;;
        *) echo 4096 ;;
    esac
}

# Extra options of a target: the macro engine's inputs mean little until they
# are long (counts, a macro, the banks' pattern, then the answers), so it
# tries every length from the start instead of growing them slowly.
extra_args() {
    case "$1" in
        macro_engine) echo -len_control=0 ;;
    esac
}

export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
for target in "${targets[@]}"; do
    corpus=build-fuzz/corpus/$target
    artifacts=build-fuzz/artifacts/$target
    mkdir -p "$corpus" "$artifacts"
    echo "== $target: $seconds s"
    status=0
    build-fuzz/fuzz/fuzz_"$target" "$corpus" "build-fuzz/seeds/$target" \
        -max_total_time="$seconds" -max_len="$(max_len "$target")" -timeout=30 $(extra_args "$target") \
        -artifact_prefix="$artifacts/" -print_final_stats=1 >"build-fuzz/$target.log" 2>&1 ||
        status=$?
    grep -E '^#[0-9]+ +(INITED|DONE)|^stat::(number_of_executed_units|new_units_added)|ERROR|SUMMARY' \
        "build-fuzz/$target.log" || true
    if [ "$status" -ne 0 ]; then
        echo "$target: finding, see build-fuzz/$target.log and $artifacts" >&2
        exit 1
    fi
done
echo "Fuzzing ended without findings."
