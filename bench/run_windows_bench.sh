#!/usr/bin/env bash
# The Windows program's rows of the benchmark table, under Wine on a private Xvfb:
# start-up and memory against a bare Win32 window, idle CPU, the 20-problem run and the
# stopwatch. Usage: run_windows_bench.sh BUILD_DIR WINDOWS_BUILD_DIR [--quick]
set -euo pipefail
build=${1:?usage: run_windows_bench.sh BUILD_DIR WINDOWS_BUILD_DIR [--quick]}
windows_build=${2:?usage: run_windows_bench.sh BUILD_DIR WINDOWS_BUILD_DIR [--quick]}
shift 2
export WINEPREFIX=${WINEPREFIX:-$windows_build/wineprefix}
source "$(dirname "$0")/../tests/windows/wine_session.sh"
XVFB_SCREEN=2560x1600x24 xvfb_start
wine_prefix_ready
wine_set_dpi 96
echo
echo "zelkor bench, Windows build under $(wine --version)$([ "${1:-}" = --quick ] && echo ' (quick run: shortened, not for quoting)')"
echo
echo "| figure | measured | target | met |"
echo "|---|---|---|---|"
"$build/bench/zelkor_bench" --windows "$windows_build" "$@"
timeout 600 wine "$windows_build/bench/windows/win32_timing_bench.exe" "$@" | tr -d '\r'
wine_wait 30 || true
