#!/usr/bin/env bash
# Builds World as one web page with Debian's emscripten:
#
#   scripts/web.sh           build-web/world.html, which runs from disk or
#                            from any web server
#   scripts/web.sh --test    the same, then the browser tests against the
#                            desktop program in each engine of WORLD_ENGINES
#                            (default chromium,firefox,webkit), one engine
#                            after another: llvmpipe needs both cores
#
# Like run.sh and test.sh it installs what is missing, and says everything on
# standard error.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
. "$root/scripts/setup.sh"

WEB_PACKAGES="cmake make emscripten"
# The desktop program to compare with, the three engines (Chromium;
# Firefox ESR and WebKitGTK's MiniBrowser, each in an Xvfb of its own), and
# node with npm.
WEB_TEST_PACKAGES="chromium firefox-esr webkit2gtk-driver xvfb nodejs"

test=false
case "${1:-}" in
    "") ;;
    --test) test=true ;;
    *) echo "usage: scripts/web.sh [--test]" >&2; exit 2 ;;
esac

out="$root/build-web"
if $test; then
    ensure_packages $WEB_PACKAGES $PROGRAM_PACKAGES $TEST_PACKAGES $WEB_TEST_PACKAGES
    # Debian's nodejs brings no npm; NodeSource's does.
    command -v npm > /dev/null || ensure_packages npm
else
    ensure_packages $WEB_PACKAGES
fi

# emscripten's optimiser finds Debian's acorn only there.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S "$root" -B "$out" -DCMAKE_BUILD_TYPE=Release >&2
cmake --build "$out" -j "$(nproc)" >&2
echo "The page: $out/world.html" >&2
$test || exit 0

# The desktop program, to compare with.
build_project "$root" "$root/build" world
tests="$root/tests/web"
# npm ci starts afresh every time; the copy of the lock tells that nothing changed.
if ! cmp -s "$tests/package-lock.json" "$tests/node_modules/.installed-lock.json"; then
    (cd "$tests" && npm ci --no-audit --no-fund >&2)
    cp "$tests/package-lock.json" "$tests/node_modules/.installed-lock.json"
fi
rm -rf "$out/desktop"
WORLD_BIN="$root/build/world" python3 "$tests/desktop_views.py" "$tests/views.json" "$out/desktop"
cd "$tests"
failed=""
IFS=, read -r -a engines <<< "${WORLD_ENGINES:-chromium,firefox,webkit}"
for engine in "${engines[@]}"; do
    echo "Browser tests in $engine" >&2
    WORLD_ENGINES="$engine" WORLD_PAGE="$out/world.html" DESKTOP_VIEWS="$out/desktop" \
        node --test --test-concurrency=1 || failed="$failed $engine"
done
if [ -n "$failed" ]; then
    echo "Browser tests failed in:$failed" >&2
    exit 1
fi
