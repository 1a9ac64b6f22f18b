#!/usr/bin/env bash
# Builds Stalkway and starts its launcher, from which the game is played. Without a display it
# plays the demo headless instead and says where the screenshots are.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
source tools/packages.sh
stalkway_ensure_packages
stalkway_build build

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    # The launcher's folder holds its options file and the game's data folder.
    cd build/game
    exec "$root/build/bin/portico"
fi
cd build/game/Stalkway
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
