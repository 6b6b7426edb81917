#!/usr/bin/env bash
# Installs what is missing, builds the program, and opens the World window.
# Standard output carries the program's lines only; the set-up talks on
# standard error.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
. "$root/scripts/setup.sh"
ensure_packages $PROGRAM_PACKAGES
build_project "$root" "$root/build" world -DBUILD_TESTING=OFF
exec "$root/build/world" "$@"
