#!/usr/bin/env bash
# The real program on a Wayland compositor (weston, headless): the toplevel names its
# desktop entry as app_id, carries the title, and fixes its size (minimum = maximum,
# so the compositor offers no maximising). Read from the client's own protocol log
# (WAYLAND_DEBUG).
set -euo pipefail
program=${1:?usage: wayland_smoke.sh PATH_TO_ZELKOR DESKTOP_ENTRY}
desktop_entry=${2:?usage: wayland_smoke.sh PATH_TO_ZELKOR DESKTOP_ENTRY}
source "$(dirname "$0")/require_packages.sh"
require_packages weston qt6-wayland
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime LC_ALL=C.UTF-8
weston --backend=headless-backend.so --width=1920 --height=1080 --socket=wayland-zelkor >"$runtime/weston.log" 2>&1 &
weston_pid=$!
trap 'kill $app_pid $weston_pid 2>/dev/null; wait 2>/dev/null; rm -rf "$runtime"' EXIT
app_pid=
for _ in $(seq 50); do [ -S "$runtime/wayland-zelkor" ] && break; sleep 0.1; done
[ -S "$runtime/wayland-zelkor" ] || { cat "$runtime/weston.log"; echo "weston did not start" >&2; exit 1; }

WAYLAND_DISPLAY=wayland-zelkor QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 "$program" 2>"$runtime/protocol.log" &
app_pid=$!
# The toplevel's properties are all set once it shows its first frame (a buffer attached).
for _ in $(seq 100); do grep -q 'wl_surface[@#][0-9]*\.attach(' "$runtime/protocol.log" && break; sleep 0.1; done
request() { grep -o "xdg_toplevel[@#][0-9]*\.$1(.*)" "$runtime/protocol.log" | tail -n 1 | sed -E 's/^[^(]*//'; }

failed=0
expect() {
    if [ "$2" = "$3" ]; then echo "ok   $1: $2"; else echo "FAIL $1: '$2', wanted '$3'"; failed=1; fi
}
expect "app_id" "$(request set_app_id)" "(\"$(basename "$desktop_entry" .desktop)\")"
expect "title" "$(request set_title)" '("ZelkorV1.2版")'
# The sizes are the client area, plus the title bar where Qt draws it itself (Qt 6.8
# counts its decoration in; 6.4 does not): fixed either way, never below the design.
minimum=$(request set_min_size)
expect "maximum size equals minimum size" "$(request set_max_size)" "$minimum"
read -r width height < <(tr -d '(),' <<<"$minimum")
if [ "${width:-0}" -ge 1016 ] && [ "${height:-0}" -ge 702 ]; then
    echo "ok   fixed size: $minimum, room for the 1016 x 702 client area"
else
    echo "FAIL fixed size: '$minimum', smaller than the 1016 x 702 client area"
    failed=1
fi
kill -0 "$app_pid" || { echo "program exited on its own" >&2; exit 1; }
[ $failed -eq 0 ] && echo "wayland smoke: passed"
exit $failed
