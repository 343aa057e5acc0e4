#!/usr/bin/env bash
# Runs a Windows program under Wine on a private Xvfb, in the prefix WINEPREFIX names,
# at a screen density of DPI dots per inch (default 96), and passes its exit status on.
# usage: wine_run.sh [--dpi DPI] PROGRAM [ARGUMENTS...]
set -euo pipefail
dpi=96
if [ "${1:-}" = --dpi ]; then
    dpi=$2
    shift 2
fi
program=${1:?usage: wine_run.sh [--dpi DPI] PROGRAM [ARGUMENTS...]}
shift
source "$(dirname "$0")/wine_session.sh"
# The display first: the Wine session's desktop process, which the first Wine command
# starts, draws on the display it finds then.
# A screen the window fits on at 200 % (2032 x 1404 and its frame).
XVFB_SCREEN=${XVFB_SCREEN:-2560x1600x24} xvfb_start
wine_prefix_ready
wine_set_dpi "$dpi"
status=0
# A 64-bit program goes to the 64-bit loader itself: Debian's wine would start it from
# its 32-bit loader, which hands it on through start.exe, one more process start that
# has failed on a heavily loaded machine ("ShellExecuteEx failed: Internal error").
loader=wine
[ "$WINEARCH" = win64 ] && loader=/usr/lib/wine/wine64
timeout 240 "$loader" "$program" "$@" || status=$?
wine_wait 30 || true
exit $status
