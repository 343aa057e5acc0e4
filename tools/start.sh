#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
source "$(dirname "$0")/setup.sh"
zelkor_install "${ZELKOR_RUN_PACKAGES[@]}"
zelkor_build default
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "zelkor is built (build/zelkor) but cannot start: no display is available (DISPLAY is not set)."
    exit 1
fi
exec "$ZELKOR_ROOT/build/zelkor"
