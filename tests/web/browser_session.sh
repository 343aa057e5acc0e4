#!/usr/bin/env bash
# Runs a browser test in a private Xvfb, where the browsers open real windows (a headless
# Firefox has no OS focus, so Space and Enter would press no focused button), in a
# private D-Bus session, as a fresh user: no saved settings, caches or keyrings of a
# developer's own. The packages each test needs are named where it is added (CMake).
# Usage: browser_session.sh SCRIPT.py [ARGUMENT...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../smoke/require_packages.sh"
require_packages xvfb xdotool dbus python3-websocket
source "$here/../smoke/xvfb_session.sh"
XVFB_SCREEN=1600x1300x24 xvfb_start
home=$(mktemp -d)
trap 'xvfb_stop; rm -rf "$home"' EXIT
HOME=$home XDG_CONFIG_HOME=$home/.config XDG_CACHE_HOME=$home/.cache \
    XDG_DATA_HOME=$home/.local/share \
    dbus-run-session -- timeout 600 /usr/bin/python3 "$@"
