#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. The window tests
# start an Xvfb each, so no display is needed and they run side by side, one
# a core. Arguments go to ctest.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
. "$root/scripts/setup.sh"
ensure_packages $PROGRAM_PACKAGES $TEST_PACKAGES
build_project "$root" "$root/build" all -DBUILD_TESTING=ON
(cd "$root/build" && ctest --output-on-failure --no-tests=error -j "$(nproc)" "$@")

# The unit tests and a short run of the real program once more, under
# AddressSanitizer and UndefinedBehaviorSanitizer.
build_project "$root" "$root/build-asan" all -DBUILD_TESTING=ON -DWORLD_SANITIZE=ON \
    -DWORLD_BENCHMARKS=OFF
# No --no-tests=error here: a selection may hold only tests of the normal build.
(cd "$root/build-asan" && ctest --output-on-failure -j "$(nproc)" "$@")
