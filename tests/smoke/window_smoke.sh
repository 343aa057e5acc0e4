#!/usr/bin/env bash
# The real program in a real X server, started as on a fresh machine with no locale
# configured: its window appears with the right title in every property a window
# manager or tool reads, the class its desktop entry names, and a client area of
# 1016 x 702 pixels; and it stays up until closed.
set -euo pipefail
program=${1:?usage: window_smoke.sh PATH_TO_ZELKOR DESKTOP_ENTRY}
desktop_entry=${2:?usage: window_smoke.sh PATH_TO_ZELKOR DESKTOP_ENTRY}
source "$(dirname "$0")/require_packages.sh"
require_packages xvfb xdotool x11-utils
source "$(dirname "$0")/xvfb_session.sh"
xvfb_start
start_program env -u LANG -u LC_ALL -u LC_CTYPE -u LANGUAGE "$program"

failed=0
expect() { # WHAT ACTUAL WANTED
    if [ "$2" = "$3" ]; then echo "ok   $1: $2"; else echo "FAIL $1: '$2', wanted '$3'"; failed=1; fi
}
property() { xtool xprop -id "$WINDOW_ID" "$1" | sed -E 's/^[^=]*= //'; }

geometry=$(xwininfo -id "$WINDOW_ID")
expect "client area" "$(awk '/^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print w "x" h}' <<<"$geometry")" 1016x702
expect "title (xdotool)" "$(xtool xdotool getwindowname "$WINDOW_ID")" "ZelkorV1.2版"
expect "WM_NAME" "$(property WM_NAME)" '"ZelkorV1.2版"'
expect "_NET_WM_NAME" "$(property _NET_WM_NAME)" '"ZelkorV1.2版"'
wm_class=$(property WM_CLASS)
expect "WM_CLASS" "$wm_class" '"zelkor", "zelkor"'
startup_class=$(sed -n 's/^StartupWMClass=//p' "$desktop_entry")
expect "StartupWMClass matches the class" "\"$startup_class\"" "$(sed -E 's/^.*, //' <<<"$wm_class")"
sleep 0.5
kill -0 "$APP_PID" || { echo "program exited on its own" >&2; exit 1; }
[ $failed -eq 0 ] && echo "window smoke: passed"
exit $failed
