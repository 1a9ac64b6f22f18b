#!/usr/bin/env bash
# The fuzzers: one libFuzzer program per loader, built with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz.
#
#   tools/fuzz.sh check               replays every saved fault input, then runs each target briefly
#   tools/fuzz.sh run TARGET SECONDS  one long run of one target
#
# A target starts from its seeds (fuzz/seeds), the third-party files in tests/corpora and the game's
# generated data (from build/game/Stalkway, which a plain build makes) and keeps what it learns in
# build-fuzz/corpus/TARGET. An input that breaks a target is kept in build-fuzz/findings/TARGET;
# once the fault is mended, save it under fuzz/regressions/TARGET, where ./test.sh replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh

targets=(bitmap16 bitmap8 wav profile hall_of_fame screen_description run_request)
out=$(pwd)/build-fuzz
generated=$(pwd)/build/game/Stalkway

build_fuzzers() {
    cmake -S . -B "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTALKWAY_FUZZ=ON \
          -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
    cmake --build "$out" -j"$(nproc)" --target fuzzers
}

# Inputs longer than this are cut; the loaders' headers lie at the start.
max_len() {
    case $1 in
        bitmap16 | bitmap8 | wav) echo 65536 ;;
        hall_of_fame) echo 8192 ;;
        run_request) echo 16384 ;;
        *) echo 4096 ;;
    esac
}

dictionary() {
    case $1 in
        bitmap16 | bitmap8) echo "$(pwd)/fuzz/dictionaries/bitmap.dict" ;;
        *) echo "$(pwd)/fuzz/dictionaries/$1.dict" ;;
    esac
}

# Copies the third-party and generated files a target starts from into one folder (generated data
# is never committed) and prints the folders of seeds.
stage_seeds() {
    local target=$1 staged="$out/seeds/$1" corpora=$(pwd)/tests/corpora
    rm -rf "$staged"
    mkdir -p "$staged"
    case $target in
        bitmap16 | bitmap8)
            find "$corpora/bmp" "$generated" -name '*.bmp' -exec cp -t "$staged" --backup=numbered {} + 2>/dev/null || true ;;
        wav)
            find "$corpora/wav" "$generated" -type f ! -name '*.md' -exec cp -t "$staged" --backup=numbered {} + 2>/dev/null || true ;;
        profile)
            find "$corpora/ini/fixtures" "$generated" "$generated/.." -maxdepth 1 -name '*.ini' \
                -exec cp -t "$staged" --backup=numbered {} + 2>/dev/null || true ;;
        hall_of_fame)
            [ -f "$generated/hiscore.dat" ] && cp "$generated/hiscore.dat" "$staged/" ;;
    esac
    echo "$staged"
    [ -d "fuzz/seeds/$target" ] && echo "$(pwd)/fuzz/seeds/$target"
    return 0
}

# run_target TARGET SECONDS TIMEOUT LOG: fuzzes, logging to build-fuzz/logs/LOG; fails on a finding.
run_target() {
    local target=$1 seconds=$2 timeout=$3 log="$out/logs/$4"
    local seeds
    mapfile -t seeds < <(stage_seeds "$target")
    mkdir -p "$out/corpus/$target" "$out/findings/$target" "$out/logs"
    if ! nice "$out/bin/fuzz_$target" -max_total_time="$seconds" -timeout="$timeout" -max_len="$(max_len "$target")" \
            -dict="$(dictionary "$target")" -artifact_prefix="$out/findings/$target/" -print_final_stats=1 \
            "$out/corpus/$target" "${seeds[@]}" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "fuzz_$target found a fault; the input is in $out/findings/$target"
        return 1
    fi
    summarise "$target" "$log"
}

# One line per run: executions, coverage (edges and features) and time.
summarise() {
    local runs cov ft secs
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$2")
    read -r cov ft < <(grep -E '^#[0-9]+.*cov: ' "$2" | tail -n 1 | sed -E 's/.*cov: ([0-9]+) ft: ([0-9]+).*/\1 \2/')
    secs=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$2")
    printf '%-20s %10s runs  cov %6s  ft %7s  %6s s\n' "$1" "$runs" "$cov" "$ft" "$secs"
}

replay_regressions() {
    local target inputs
    for target in "${targets[@]}"; do
        mapfile -t inputs < <(find "$(pwd)/fuzz/regressions/$target" -type f 2>/dev/null | sort)
        [ "${#inputs[@]}" -eq 0 ] && continue
        echo "Replaying ${#inputs[@]} saved inputs of $target"
        "$out/bin/fuzz_$target" "${inputs[@]}" >"$out/logs/$target-regressions.log" 2>&1 ||
            { tail -n 60 "$out/logs/$target-regressions.log"; return 1; }
    done
}

# The loaders' files live in a memory file system when there is one.
scratch_folder() {
    local base=/dev/shm
    [ -w "$base" ] || base=${TMPDIR:-/tmp}
    mktemp -d "$base/stalkway-fuzz.XXXXXX"
}

main() {
    stalkway_ensure_packages
    build_fuzzers
    mkdir -p "$out/logs"
    TMPDIR=$(scratch_folder)
    export TMPDIR
    trap 'rm -rf "$TMPDIR"' EXIT
    case ${1:-} in
        check)
            replay_regressions
            local target
            for target in "${targets[@]}"; do run_target "$target" "${STALKWAY_FUZZ_SECONDS:-8}" 10 "$target.log"; done ;;
        run)
            [ $# -eq 3 ] || { echo "usage: $0 run TARGET SECONDS" >&2; exit 2; }
            run_target "$2" "$3" 30 "$2-run.log" ;;
        *)
            echo "usage: $0 check | run TARGET SECONDS (targets: ${targets[*]})" >&2
            exit 2 ;;
    esac
}

main "$@"
