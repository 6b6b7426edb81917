# Shared set-up for run.sh and test.sh: make sure the system packages are
# there, then configure and build. Everything it prints goes to standard
# error, so that standard output carries the program's lines alone.

# What the program needs to build and run.
PROGRAM_PACKAGES="cmake g++ make libfltk1.3-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri"
# What the tests and benchmarks need beyond that.
TEST_PACKAGES="libgtest-dev libbenchmark-dev libx11-dev xvfb xdotool x11-utils x11-apps \
imagemagick python3 desktop-file-utils man-db lintian dpkg-dev"

missing_packages() {
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}\n' "$pkg" 2>/dev/null | grep -q '^install ok installed$' \
            || printf '%s ' "$pkg"
    done
}

# ensure_packages PACKAGE...: installs the missing ones as root, or says how.
ensure_packages() {
    local missing
    missing=$(missing_packages "$@")
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing system packages. Install them with:" >&2
        echo "  sudo apt-get update && sudo apt-get install -y $missing" >&2
        exit 1
    fi
    echo "Installing: $missing" >&2
    apt-get update -q >&2
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q $missing >&2
}

# build_project ROOT DIR "TARGET..." [CMAKE_OPTION...]: configures ROOT in DIR
# on every call, so that a changed option is never ignored, then builds the
# targets.
build_project() {
    local root="$1" dir="$2" targets="$3"
    shift 3
    cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >&2
    # shellcheck disable=SC2086 # one word a target
    cmake --build "$dir" --target $targets -j "$(nproc)" >&2
}
