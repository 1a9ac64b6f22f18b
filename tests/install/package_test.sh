#!/usr/bin/env bash
# Packs BUILD as a Debian package in a temporary folder and checks what the package says and holds:
# section games, dependencies found from the programs' libraries, and the programs, the data, the
# desktop entry, the metadata, the icons and the manual page where the system looks for them.
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log") ||
    { cat "$work/cpack.log"; exit 1; }
shopt -s nullglob
packages=("$work"/stalkway_*.deb)
[ ${#packages[@]} -eq 1 ] || { echo "expected one package, found: ${packages[*]:-none}"; exit 1; }
deb=${packages[0]}

failed=0
expect() {  # expect WHAT TEXT PATTERN
    grep -qE "$3" <<<"$2" || { echo "missing from the $1: $3"; failed=1; }
}
fields=$(dpkg-deb --field "$deb")
expect fields "$fields" '^Section: games$'
expect fields "$fields" '^Depends: .*libsdl2-2\.0-0'
expect fields "$fields" '^Depends: .*libc6'
if grep -q fonts <<<"$fields"; then echo "the package depends on fonts, which only the build needs"; failed=1; fi
contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for path in usr/bin/portico usr/bin/stalkway usr/bin/stalkway-replay usr/bin/stalkway-server usr/share/stalkway/maze02.bmp \
    usr/share/stalkway/icon.bmp usr/share/stalkway/portico/portico.bmp \
    usr/share/stalkway/sounds/music.wav usr/share/applications/org.stalkway.stalkway.desktop \
    usr/share/metainfo/org.stalkway.stalkway.metainfo.xml usr/share/man/man6/stalkway.6 usr/share/man/man6/portico.6; do
    expect contents "$contents" "^\./$path\$"
done
for size in 16 32 48 64 128 192 256 512; do
    expect contents "$contents" "^\./usr/share/icons/hicolor/${size}x${size}/apps/stalkway\.png\$"
done
for leftover in hiscore.dat winner.dat debug.log; do
    if grep -q "$leftover" <<<"$contents"; then echo "the package holds a player's $leftover"; failed=1; fi
done
exit $failed
