#!/usr/bin/env bash
# Builds Stalkway and starts it. Without a display it plays the demo headless instead and says
# where the screenshots are.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
source tools/packages.sh
stalkway_ensure_packages
stalkway_build build

cd build/game/Stalkway
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$root/build/bin/stalkway"
fi
echo "No display is available, so the demo game plays headless instead."
shots="$root/build/demo-shots"
mkdir -p "$shots"
"$root/build/bin/stalkway-replay" --shots "$shots" --log "$shots/demo.log" "$root/tools/demo.script"
echo "Screenshots of the demo are in $shots"
