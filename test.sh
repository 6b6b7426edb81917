#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. The window tests
# start their own Xvfb, so no display is needed. Arguments go to ctest.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
. "$root/scripts/setup.sh"
ensure_packages $PROGRAM_PACKAGES $TEST_PACKAGES
build_project "$root" "$root/build" all -DBUILD_TESTING=ON
(cd "$root/build" && ctest --output-on-failure --no-tests=error "$@")

# The unit tests and a short run of the real program once more, under
# AddressSanitizer and UndefinedBehaviorSanitizer.
build_project "$root" "$root/build-asan" all -DBUILD_TESTING=ON -DWORLD_SANITIZE=ON \
    -DWORLD_BENCHMARKS=OFF
# No --no-tests=error here: a selection may hold only tests of the normal build.
(cd "$root/build-asan" && ctest --output-on-failure "$@")
