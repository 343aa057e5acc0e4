#!/usr/bin/env bash
# The real program under a screen reader's text queries: Xvfb, a private D-Bus session
# with the accessibility bus, and an AT-SPI client (atspi_text.py) asking for every
# character, word, sentence and line of both number boxes. Qt 6.4's own line-edit
# interface never answered the word at the end of a box's text, freezing the program.
set -euo pipefail
program=${1:?usage: atspi_text.sh PATH_TO_ZELKOR}
source "$(dirname "$0")/require_packages.sh"
require_packages xvfb dbus dbus-bin at-spi2-core python3-gi gir1.2-atspi-2.0
source "$(dirname "$0")/xvfb_session.sh"
xvfb_start
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LC_ALL=C.UTF-8
dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    bus=$!
    "$0" >/dev/null 2>&1 &
    app=$!
    timeout 120 /usr/bin/python3 "$1"
    status=$?
    kill $app $bus 2>/dev/null
    wait $app $bus 2>/dev/null
    exit $status' "$program" "$(dirname "$0")/atspi_text.py"
