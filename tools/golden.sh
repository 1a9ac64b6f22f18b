#!/usr/bin/env bash
# Records what the game draws, plays, logs and stores over three runs of the scripted runner, so
# that a change meant to keep behaviour can be checked byte for byte:
#
#   tools/golden.sh record BUILD OUT     # runs BUILD/bin/stalkway-replay, writes OUT/
#   tools/golden.sh compare A B          # exits non-zero when two recordings differ
#
# The runs: the perfect game, the imperfect game and 2,000 seeded random clicks (never on Exit or
# Menu), each in a fresh copy of BUILD's data folder, with a screenshot every 50 frames, the log,
# the --audio capture and the files the game left in its folder.
set -euo pipefail

# Splits every "frames N" so that a shot is taken after each 50th frame.
with_shots() {
    awk '
        function shoot_frames(n,   step) {
            while (n > 0) {
                step = 50 - done % 50
                if (step > n) step = n
                print "frames " step
                done += step; n -= step
                if (done % 50 == 0) printf "shot f%06d\n", done
            }
        }
        $1 == "frames" { shoot_frames($2); next }
        { print }
        END { print "shot last" }'
}

# 2,000 clicks at seeded places over the screen, outside the Exit and Menu buttons (x < 160 and
# 300 < y < 420), a few frames apart.
random_clicks() {
    awk 'BEGIN {
        seed = 20261208
        print "frames 40"
        for (i = 0; i < 2000; i++) {
            do {
                seed = (seed * 16807) % 2147483647; x = seed % 800
                seed = (seed * 16807) % 2147483647; y = seed % 600
            } while (x < 160 && y > 300 && y < 420)
            seed = (seed * 16807) % 2147483647
            print "click " x " " y
            print "frames " (1 + seed % 6)
        }
        print "frames 100"
    }'
}

run_one() {
    local build=$1 out=$2 name=$3 script=$4
    local work
    work=$(mktemp -d)
    cp -r "$build/game/Stalkway" "$work/Stalkway"
    mkdir -p "$out/$name/shots"
    (cd "$work/Stalkway" &&
        "$build/bin/stalkway-replay" --shots "$out/$name/shots" --log "$out/$name/log" \
            --audio "$out/$name/audio.wav" "$script" >"$out/$name/stdout" 2>&1
        echo "exit $?" >>"$out/$name/stdout") || true
    # The folder's name changes from run to run; what the game did with it does not.
    sed -i "s#$work#DATA#g" "$out/$name/log" "$out/$name/stdout"
    mkdir -p "$out/$name/stored"
    for file in hiscore.dat winner.dat; do
        [ -e "$work/Stalkway/$file" ] && cp "$work/Stalkway/$file" "$out/$name/stored/"
    done
    rm -rf "$work"
}

record() {
    local build out
    build=$(cd "$1" && pwd)
    mkdir -p "$2"
    out=$(cd "$2" && pwd)
    local scripts="$out/scripts"
    mkdir -p "$scripts"
    with_shots <"$build/game/scripts/perfect.script" >"$scripts/perfect.script"
    with_shots <"$build/game/scripts/imperfect.script" >"$scripts/imperfect.script"
    random_clicks | with_shots >"$scripts/random.script"
    for name in perfect imperfect random; do
        run_one "$build" "$out" "$name" "$scripts/$name.script"
    done
    echo "recorded $(find "$out" -type f | wc -l) files in $out"
}

case "${1:-}" in
    record) record "$2" "$3" ;;
    compare) diff -r "$2" "$3" >/dev/null && echo "identical" || { diff -rq "$2" "$3" | head -20; exit 1; } ;;
    *) echo "usage: tools/golden.sh record BUILD OUT | compare A B" >&2; exit 2 ;;
esac
