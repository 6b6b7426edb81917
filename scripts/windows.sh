#!/usr/bin/env bash
# Cross-builds World for 64-bit Windows on Debian with mingw-w64 and packs it:
#
#   scripts/windows.sh           build-windows/world.exe and
#                                build-windows/World-<version>-win64.zip
#   scripts/windows.sh --test    the same, then the Windows tests under wine
#
# FLTK is built from source once, into build-windows/fltk/. The source is
# Debian's fltk1.3 source package, fetched with an apt configuration of its
# own that leaves the system's alone, or FLTK_SOURCE: a folder or a tarball.
# Like run.sh and test.sh it installs what is missing, and says everything on
# standard error.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
. "$root/scripts/setup.sh"

WINDOWS_PACKAGES="cmake make g++-mingw-w64-x86-64-posix groff-base"
# wine provides the `wine` command, wine64 the 64-bit loader behind it.
WINE_PACKAGES="wine wine64"

out="$root/build-windows"
fltk="$out/fltk"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"

# Bookworm's archive no longer serves FLTK 1.3's source; trixie's 1.3.11
# cross-builds unchanged.
FLTK_SUITE=trixie

# Prints where the downloaded tarball of FLTK's source is.
download_fltk_source() {
    local apt="$fltk/apt" mirror
    mirror="${DEBIAN_MIRROR:-$(apt-get indextargets --format '$(REPO_URI) $(RELEASE)' |
        awk '$2 !~ /-/ { print $1; exit }')}"
    if [ -z "$mirror" ]; then
        echo "No Debian mirror is configured: set DEBIAN_MIRROR, or FLTK_SOURCE to" \
             "FLTK 1.3's source (a folder or a tarball)." >&2
        exit 1
    fi
    mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$fltk/download"
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror" \
         "$FLTK_SUITE main" > "$apt/sources.list"
    local options=(-q -o Dir::Etc::sourcelist="$apt/sources.list" -o Dir::Etc::sourceparts=-
                   -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache"
                   -o APT::Sandbox::User=root)
    apt-get "${options[@]}" update >&2
    # apt checks the tarball against the signed index.
    (cd "$fltk/download" && apt-get "${options[@]}" source --tar-only --download-only fltk1.3 >&2)
    ls "$fltk"/download/fltk1.3_*.orig.tar.gz
}

# Prints the folder of FLTK's source, unpacking a tarball if need be.
fltk_source() {
    local tarball="${FLTK_SOURCE:-}"
    if [ -n "$tarball" ] && [ -d "$tarball" ]; then
        echo "$tarball"
        return
    fi
    [ -n "$tarball" ] || tarball=$(download_fltk_source)
    rm -rf "$fltk/source"
    mkdir -p "$fltk/source"
    tar -xf "$tarball" -C "$fltk/source" --strip-components=1
    echo "$fltk/source"
}

# Builds FLTK's two libraries for Windows, once, and keeps what the program
# needs of it: headers, libraries and licence.
build_fltk() {
    [ -f "$fltk/ready" ] && return 0
    local source
    source=$(fltk_source)
    cmake -S "$source" -B "$fltk/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DOPTION_BUILD_SHARED_LIBS=OFF -DOPTION_USE_GL=ON \
        -DOPTION_USE_SYSTEM_ZLIB=OFF -DOPTION_USE_SYSTEM_LIBJPEG=OFF \
        -DOPTION_USE_SYSTEM_LIBPNG=OFF -DFLTK_BUILD_TEST=OFF -DFLTK_BUILD_EXAMPLES=OFF \
        -DOPTION_BUILD_HTML_DOCUMENTATION=OFF -DOPTION_BUILD_PDF_DOCUMENTATION=OFF >&2
    cmake --build "$fltk/build" --target fltk fltk_gl -j "$(nproc)" >&2
    rm -rf "$fltk/include" "$fltk/lib"
    mkdir -p "$fltk/include/FL" "$fltk/lib"
    cp "$source"/FL/* "$fltk/build/FL/abi-version.h" "$fltk/include/FL/"
    cp "$fltk/build/lib/libfltk.a" "$fltk/build/lib/libfltk_gl.a" "$fltk/lib/"
    cp "$source/COPYING" "$fltk/COPYING"
    touch "$fltk/ready"
}

# Runs the tests that apply to the Windows program under wine, on private
# X servers, against the Linux program where they compare.
test_under_wine() {
    build_project "$root" "$root/build" "world wm_close" -DBUILD_TESTING=ON
    export WINEPREFIX="$out/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -d "$WINEPREFIX" ]; then
        python3 "$root/tests/e2e/under_xvfb.py" wine wineboot -i >&2
        wineserver -w
    fi
    export WORLD_BIN="$root/build/world" WM_CLOSE_BIN="$root/build/tests/wm_close" \
        REFERENCE_OUTPUT="$root/tests/data/stdout-30-steps.txt" PYTHONDONTWRITEBYTECODE=1
    WORLD_COMMAND="wine $(printf '%q' "$out/world.exe")"
    # A start while the last run's wine server is still going down can fail.
    export WORLD_COMMAND WORLD_BEFORE_START="wineserver -w"
    cd "$root/tests/e2e"
    python3 -m unittest -v test_keys_and_exit.Output test_keys_and_exit.Ending \
        test_streams_and_window.Streams test_windows
}

case "${1:-}" in
    "") testing=false ;;
    --test) testing=true ;;
    *) echo "usage: scripts/windows.sh [--test]" >&2; exit 2 ;;
esac

if $testing; then
    ensure_packages $PROGRAM_PACKAGES $TEST_PACKAGES $WINDOWS_PACKAGES $WINE_PACKAGES
else
    ensure_packages $WINDOWS_PACKAGES
fi
build_fltk
build_project "$root" "$out" all -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DBUILD_TESTING=OFF -DWORLD_BENCHMARKS=OFF \
    -DFLTK_INCLUDE_DIR="$fltk/include" \
    -DFLTK_BASE_LIBRARY_RELEASE="$fltk/lib/libfltk.a" \
    -DFLTK_GL_LIBRARY_RELEASE="$fltk/lib/libfltk_gl.a" \
    -DWORLD_FLTK_LICENSE="$fltk/COPYING"
(cd "$out" && cpack -G ZIP >&2)
if $testing; then
    test_under_wine
fi
