#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite. Window
# tests run offscreen; the real-window tests start their own Xvfb.
set -euo pipefail
source "$(dirname "$0")/setup.sh"
zelkor_install "${ZELKOR_RUN_PACKAGES[@]}" "${ZELKOR_TEST_PACKAGES[@]}"
zelkor_build default
ctest --preset default
