# Sourced by play.sh, test.sh and bench.sh: installs the Debian packages the build needs when any
# is missing, so that a fresh machine needs nothing but these scripts.
STALKWAY_PACKAGES=(cmake g++ make pkg-config libsdl2-dev libx11-dev googletest libgtest-dev libgmock-dev
                   libbenchmark-dev libpng-dev libfreetype-dev fonts-dejavu-core
                   clang clang-format libclang-rt-dev python3
                   desktop-file-utils appstream dpkg-dev file
                   libcpp-httplib-dev nlohmann-json3-dev libsqlite3-dev libpq-dev libssl-dev postgresql)

stalkway_missing_packages() {
    local missing=() pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done
    echo "${missing[@]}"
}

stalkway_ensure_packages() {
    local missing
    missing=$(stalkway_missing_packages "${STALKWAY_PACKAGES[@]}" "$@")
    [ -z "$missing" ] && return 0
    echo "Installing: $missing"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq $missing
}

# Configures and builds one build folder: stalkway_build DIR [CMAKE OPTIONS...] [--target NAME...]
stalkway_build() {
    local dir=$1 options=() targets=()
    shift
    while [ $# -gt 0 ]; do
        if [ "$1" = --target ]; then targets+=(--target "$2"); shift 2; else options+=("$1"); shift; fi
    done
    local launcher=()
    # A compiler cache, where one is installed, makes rebuilding in another folder quick.
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "${options[@]}" >/dev/null
    cmake --build "$dir" -j"$(nproc)" "${targets[@]}"
}
