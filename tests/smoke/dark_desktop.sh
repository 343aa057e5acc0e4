#!/usr/bin/env bash
# The window on a real desktop with a dark colour scheme: Xvfb, Qt's GTK platform
# theme and GTK's Adwaita:dark. Runs the window's contrast test there, which reads
# the pixels back from the X server and first checks that the scheme really is dark.
set -euo pipefail
ui_tests=${1:?usage: dark_desktop.sh PATH_TO_UI_TESTS}
source "$(dirname "$0")/require_packages.sh"
require_packages xvfb qt6-gtk-platformtheme
source "$(dirname "$0")/xvfb_session.sh"
xvfb_start
export QT_QPA_PLATFORM=xcb QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
"$ui_tests" --gtest_filter='DrillWindowContrast.*'
