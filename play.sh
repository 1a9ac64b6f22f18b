#!/usr/bin/env bash
# Builds Stalkway and starts its launcher, from which the game is played. When no display answers
# it plays the demo headless instead and says where the screenshots are.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
source tools/packages.sh
stalkway_ensure_packages
# Only what is played: the launcher, the game, the runner, the world server and the data; ./test.sh builds the tests, benchmarks
# and fuzz programs. The same folder and options as ./test.sh's, so that it builds only the rest.
stalkway_build build -DSTALKWAY_WERROR=ON --target portico --target stalkway --target stalkway-replay --target stalkway-server \
    --target game_data

# The launcher's folder holds its options file and the game's data folder.
cd build/game
# The launcher itself knows whether a display answers: without one it says "no display: ..." and
# ends with 1. Its messages are copied to be looked at afterwards, and shown as they come.
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
set +e
{ "$root/build/bin/portico" 2>&1 1>&3 3>&- | tee "$errors" >&2; status=${PIPESTATUS[0]}; } 3>&1
set -e
if [ "$status" -ne 1 ] || ! grep -q '^no display: ' "$errors"; then
    exit "$status"
fi
echo "No display is available, so two demo games play headless instead: a short one, then a perfect one."
# In a copy of the data folder, so that the demo's scores stay out of the player's hall of fame.
demo="$root/build/demo-game"
rm -rf "$demo"
mkdir -p "$demo"
cp -r "$root/build/game/Stalkway" "$demo/Stalkway"
cd "$demo/Stalkway"
# Only this run's pictures: an older demo may have taken others.
shots="$root/build/demo-shots"
rm -rf "$shots"
mkdir -p "$shots"
for game in imperfect perfect; do
    "$root/build/bin/stalkway-replay" --shots "$shots" --log "$shots/$game.log" "$root/build/game/scripts/$game.script"
done
echo "Screenshots of the demo are in $shots"
