#!/usr/bin/env bash
# Runs a command that needs desktop tools, or skips it naming what is missing (see
# require_packages.sh). usage: with_packages.sh PACKAGE... -- COMMAND [ARGUMENTS...]
set -euo pipefail
source "$(dirname "$0")/require_packages.sh"
packages=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
    packages+=("$1")
    shift
done
[ "${1:-}" = -- ] || { echo "usage: with_packages.sh PACKAGE... -- COMMAND [ARGUMENTS...]" >&2; exit 2; }
shift
require_packages "${packages[@]}"
exec "$@"
