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
zelkor_install "${ZELKOR_RUN_PACKAGES[@]}" "${ZELKOR_TEST_PACKAGES[@]}"
# What only the later stages use (the browsers, emscripten, the page's fonts, Wine and the
# cross compilers) comes in the background while the first stages build and test: the
# larger part of the download. The page's stage waits for it.
later_log=$(mktemp)
zelkor_install "${ZELKOR_WEB_PACKAGES[@]}" "${ZELKOR_ENGINE_PACKAGES[@]}" \
    "${ZELKOR_WINDOWS_PACKAGES[@]}" "${windows32_packages[@]}" >"$later_log" 2>&1 &
later=$!
# Never leave dpkg half-way: an early failure waits for it before the command ends.
trap 'wait "$later" 2>/dev/null || true' EXIT
# Tests that need desktop tools fail here instead of skipping: everything is installed.
export ZELKOR_REQUIRE_DESKTOP_TOOLS=1

stage "regular build and the full suite"
zelkor_build default
stage "  its tests"
ctest --preset full

stage "fuzzing the number reading"
zelkor_build fuzz
"$ZELKOR_ROOT/tests/fuzz/run_fuzz.sh" "$ZELKOR_ROOT/build-fuzz/tests/fuzz/number_reading_fuzz" 60

stage "the suite under AddressSanitizer and UndefinedBehaviorSanitizer"
zelkor_build asan
stage "  its tests"
ctest --preset asan

stage "the browser page: its logic under node, the page in Chromium, Firefox and WebKitGTK"
wait "$later" || {
    cat "$later_log" >&2
    echo "could not install what the browser page and the Windows builds need" >&2
    exit 1
}
rm -f "$later_log"
zelkor_build web
stage "  its tests"
ctest --preset web

# The 32-bit program first: the 64-bit build's installer and zip hold it too.
stage "the 32-bit Windows build and its tests under 32-bit Wine"
zelkor_build windows32
stage "  its tests"
if [ $runs_32bit = yes ]; then
    ctest --preset windows32
else
    echo "(its tests left out: this kernel runs no 32-bit programs)"
fi

stage "the Windows build, its installer and zip, and their tests under Wine"
zelkor_build windows
stage "  its tests"
ctest --preset windows "${without_32bit[@]}"
# The Wine servers linger after the last test; let them end before the command does.
for prefix in build-windows/wineprefix build-windows/wineprefix32 build-windows32/wineprefix; do
    WINEPREFIX="$ZELKOR_ROOT/$prefix" timeout 60 /usr/lib/wine/wineserver -w || true
done
stage "done"
