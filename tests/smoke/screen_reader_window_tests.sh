#!/usr/bin/env bash
# Runs window tests as if a screen reader were running: on a real X server (Xvfb),
# with a private D-Bus session and the accessibility bus, and Qt told to serve it.
# Qt's offscreen platform has no accessibility at all; there Qt never reports a
# screen reader and sends no accessibility events. The tests catch the events before
# they reach the bus. Usage: screen_reader_window_tests.sh PATH_TO_UI_TESTS GTEST_FILTER
set -euo pipefail
ui_tests=${1:?usage: screen_reader_window_tests.sh PATH_TO_UI_TESTS GTEST_FILTER}
filter=${2:?usage: screen_reader_window_tests.sh PATH_TO_UI_TESTS GTEST_FILTER}
source "$(dirname "$0")/require_packages.sh"
require_packages xvfb dbus dbus-bin at-spi2-core
source "$(dirname "$0")/xvfb_session.sh"
xvfb_start
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    bus=$!
    status=0
    "$0" --gtest_filter="$1" || status=$?
    kill $bus 2>/dev/null
    wait $bus 2>/dev/null
    exit $status' "$ui_tests" "$filter"
