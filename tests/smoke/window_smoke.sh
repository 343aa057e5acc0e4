#!/usr/bin/env bash
# The real program in a real X server: its window appears with the right title and a
# client area of 1016 x 702 pixels, and stays up until closed.
set -euo pipefail
program=${1:?usage: window_smoke.sh PATH_TO_ZELKOR}
source "$(dirname "$0")/xvfb_session.sh"
xvfb_start
start_program "$program"

geometry=$(xwininfo -id "$WINDOW_ID")
width=$(awk '/^  Width:/ {print $2}' <<<"$geometry")
height=$(awk '/^  Height:/ {print $2}' <<<"$geometry")
title=$(xdotool getwindowname "$WINDOW_ID")
echo "window $WINDOW_ID: '$title' ${width}x${height}"
[ "$title" = "ZelkorV1.2版" ] || { echo "wrong title" >&2; exit 1; }
[ "$width" = 1016 ] && [ "$height" = 702 ] || { echo "wrong client size" >&2; exit 1; }
sleep 0.5
kill -0 "$APP_PID" || { echo "program exited on its own" >&2; exit 1; }
echo "window smoke: passed"
