#!/usr/bin/env bash
# The page's conformance suite in Firefox or WebKitGTK, each in a real window on a
# private Xvfb (a headless Firefox has no OS focus, so Space and Enter would press no
# focused button), in a private D-Bus session.
# Usage: engine_test.sh firefox|webkit BUILD_DIR
set -euo pipefail
engine=${1:?usage: engine_test.sh firefox|webkit BUILD_DIR}
build=${2:?usage: engine_test.sh firefox|webkit BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../smoke/require_packages.sh"
case "$engine" in
    firefox) require_packages firefox-esr ;;
    webkit) require_packages webkit2gtk-driver ;;
    *) echo "engine_test.sh: no engine $engine" >&2; exit 2 ;;
esac
require_packages xvfb xdotool dbus python3-websocket fonts-arphic-uming
source "$here/../smoke/xvfb_session.sh"
XVFB_SCREEN=1600x1300x24 xvfb_start
home=$(mktemp -d)
trap 'xvfb_stop; rm -rf "$home"' EXIT
# A fresh user: no saved settings, caches or keyrings of a developer's own.
HOME=$home XDG_CONFIG_HOME=$home/.config XDG_CACHE_HOME=$home/.cache \
    XDG_DATA_HOME=$home/.local/share \
    dbus-run-session -- timeout 600 /usr/bin/python3 "$here/engine_test.py" "$engine" "$build"
