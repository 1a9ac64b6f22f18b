#!/usr/bin/env bash
# Builds the launcher, the game, its runner, the world server and the data, and packs them as a Debian package in build/.
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
stalkway_ensure_packages
stalkway_build build --target portico --target stalkway --target stalkway-replay --target stalkway-server --target game_data
(cd build && cpack -G DEB)
