#!/usr/bin/env bash
# Installs what is missing, builds, and opens the World window.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
. "$root/scripts/setup.sh"
ensure_packages
build_project "$root"
exec "$root/build/world" "$@"
