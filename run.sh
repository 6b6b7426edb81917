#!/usr/bin/env bash
# Installs what is missing, builds the program, and opens the World window.
# Standard output carries the program's lines only; the set-up talks on
# standard error.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
. "$root/scripts/setup.sh"
ensure_packages $PROGRAM_PACKAGES
# A new tree leaves the tests out, for they need more packages. A tree that
# has them keeps them: switched off, the next build would leave them stale.
testing=()
[ -f "$root/build/CMakeCache.txt" ] || testing=(-DBUILD_TESTING=OFF)
build_project "$root" "$root/build" world "${testing[@]}"
exec "$root/build/world" "$@"
