#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite: the
# regular build, a minute of fuzzing the number reading (clang's libFuzzer), the whole
# suite again built with AddressSanitizer and UndefinedBehaviorSanitizer, the browser
# page (emscripten) with its tests under node and in Chromium, Firefox and WebKitGTK,
# and the Windows builds (the 64-bit program, installer and zip, and the 32-bit
# program) with their tests under 64-bit and 32-bit Wine.
# Window tests run offscreen; the real-window tests start their own Xvfb.
set -euo pipefail
source "$(dirname "$0")/setup.sh"
began=$SECONDS
stage() { echo "== test command, $((SECONDS - began)) s: $*"; }
# Where the kernel runs no 32-bit programs, 32-bit Wine is not installed, and the tests
# that need it (the 32-bit program's and the installer's) are left out; the rest run.
# ZELKOR_PROBE_MACHINE=00 tries that way on a machine that runs them.
runs_32bit=yes
zelkor_runs_32bit "${ZELKOR_PROBE_MACHINE:-03}" || case $? in
    1) runs_32bit=no ;;
    *) exit 1 ;;
esac
if [ $runs_32bit = yes ]; then
    windows32_packages=("${ZELKOR_WINDOWS32_PACKAGES[@]}")
    without_32bit=()
else
    echo "$ZELKOR_NO_32BIT_LINE"
    windows32_packages=("${ZELKOR_WINDOWS32_BUILD_PACKAGES[@]}")
    without_32bit=(--label-exclude i386)
    export ZELKOR_PROBE_MACHINE  # the Wine sessions ask again
fi
zelkor_install "${ZELKOR_RUN_PACKAGES[@]}" "${ZELKOR_TEST_PACKAGES[@]}" \
    "${ZELKOR_WINDOWS_PACKAGES[@]}" "${windows32_packages[@]}" "${ZELKOR_WEB_PACKAGES[@]}"
# Firefox and WebKitGTK, which only the page's stage uses, come in the background while
# the stages before it build and test: their download is the largest.
engines_log=$(mktemp)
zelkor_install "${ZELKOR_ENGINE_PACKAGES[@]}" >"$engines_log" 2>&1 &
engines=$!
# Never leave dpkg half-way: an early failure waits for it before the command ends.
trap 'wait "$engines" 2>/dev/null || true' EXIT
# Tests that need desktop tools fail here instead of skipping: everything is installed.
export ZELKOR_REQUIRE_DESKTOP_TOOLS=1

stage "regular build and the full suite"
zelkor_build default
ctest --preset full

stage "fuzzing the number reading"
zelkor_build fuzz
"$ZELKOR_ROOT/tests/fuzz/run_fuzz.sh" "$ZELKOR_ROOT/build-fuzz/tests/fuzz/number_reading_fuzz" 60

stage "the suite under AddressSanitizer and UndefinedBehaviorSanitizer"
zelkor_build asan
ctest --preset asan

stage "the browser page: its logic under node, the page in Chromium, Firefox and WebKitGTK"
wait "$engines" || {
    cat "$engines_log" >&2
    echo "could not install ${ZELKOR_ENGINE_PACKAGES[*]}" >&2
    exit 1
}
rm -f "$engines_log"
zelkor_build web
ctest --preset web

# The 32-bit program first: the 64-bit build's installer and zip hold it too.
stage "the 32-bit Windows build and its tests under 32-bit Wine"
zelkor_build windows32
if [ $runs_32bit = yes ]; then
    ctest --preset windows32
else
    echo "(its tests left out: this kernel runs no 32-bit programs)"
fi

stage "the Windows build, its installer and zip, and their tests under Wine"
zelkor_build windows
ctest --preset windows "${without_32bit[@]}"
# The Wine servers linger after the last test; let them end before the command does.
for prefix in build-windows/wineprefix build-windows/wineprefix32 build-windows32/wineprefix; do
    WINEPREFIX="$ZELKOR_ROOT/$prefix" timeout 60 /usr/lib/wine/wineserver -w || true
done
stage "done"
