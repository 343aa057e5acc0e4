#!/usr/bin/env bash
# Installs what is missing, builds, and prints the benchmark table (about two
# minutes: the stopwatch runs for a full minute). --quick shortens every figure for a
# look that is not for quoting.
set -euo pipefail
source "$(dirname "$0")/setup.sh"
zelkor_install "${ZELKOR_RUN_PACKAGES[@]}" "${ZELKOR_TEST_PACKAGES[@]}"
zelkor_build default
"$ZELKOR_ROOT/bench/run_bench.sh" "$ZELKOR_ROOT/build" "$@"
