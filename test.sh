#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. The window tests
# start their own Xvfb, so no display is needed. Arguments go to ctest.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
. "$root/scripts/setup.sh"
EXTRA_PACKAGES="xvfb xdotool x11-utils x11-apps imagemagick python3"
ensure_packages
build_project "$root"
(cd "$root/build" && ctest --output-on-failure "$@")

# The unit tests and a short run of the real program once more, under
# AddressSanitizer and UndefinedBehaviorSanitizer.
build_project "$root" "$root/build-asan" -DWORLD_SANITIZE=ON
(cd "$root/build-asan" && ctest --output-on-failure "$@")
