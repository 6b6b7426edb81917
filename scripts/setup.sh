# Shared set-up for run.sh and test.sh: make sure the system packages are
# there, then configure and build. Source it with the list of packages
# the caller needs beyond the build's own in EXTRA_PACKAGES.

BUILD_PACKAGES="cmake g++ make libfltk1.3-dev libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri \
libx11-dev libgtest-dev libbenchmark-dev"

missing_packages() {
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}\n' "$pkg" 2>/dev/null | grep -q '^install ok installed$' \
            || printf '%s ' "$pkg"
    done
}

ensure_packages() {
    local missing
    missing=$(missing_packages $BUILD_PACKAGES ${EXTRA_PACKAGES:-})
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing system packages. Install them with:" >&2
        echo "  sudo apt-get update && sudo apt-get install -y $missing" >&2
        exit 1
    fi
    echo "Installing: $missing"
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q $missing
}

# build_project ROOT [DIR [CMAKE_OPTION...]]: DIR defaults to ROOT/build.
build_project() {
    local root="$1" dir="${2:-$1/build}"
    shift $(($# < 2 ? $# : 2))
    # Configured on every call, so that a changed option is never ignored.
    cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@"
    cmake --build "$dir" -j "$(nproc)"
}
