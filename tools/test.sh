#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite: the
# regular build, a minute of fuzzing the number reading (clang's libFuzzer), and the
# whole suite again built with AddressSanitizer and UndefinedBehaviorSanitizer.
# Window tests run offscreen; the real-window tests start their own Xvfb.
set -euo pipefail
source "$(dirname "$0")/setup.sh"
zelkor_install "${ZELKOR_RUN_PACKAGES[@]}" "${ZELKOR_TEST_PACKAGES[@]}"

zelkor_build default
ctest --preset full

zelkor_build fuzz
"$ZELKOR_ROOT/tests/fuzz/run_fuzz.sh" "$ZELKOR_ROOT/build-fuzz/tests/fuzz/number_reading_fuzz" 60

zelkor_build asan
ctest --preset asan
