#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. The window tests
# start their own Xvfb, so no display is needed.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
. "$root/scripts/setup.sh"
EXTRA_PACKAGES="xvfb xdotool x11-utils x11-apps imagemagick python3"
ensure_packages
build_project "$root"
cd "$root/build"
ctest --output-on-failure "$@"
