#!/usr/bin/env bash
# Installs what the program needs, builds the program alone (no tests, no benchmarks)
# and starts it.
set -euo pipefail
source "$(dirname "$0")/setup.sh"
zelkor_install "${ZELKOR_RUN_PACKAGES[@]}"
zelkor_build app
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "zelkor is built (build-app/zelkor) but cannot start here: no display (neither DISPLAY nor WAYLAND_DISPLAY is set)."
    exit 1
fi
exec "$ZELKOR_ROOT/build-app/zelkor"
