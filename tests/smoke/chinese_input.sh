#!/usr/bin/env bash
# The number boxes under a real Chinese input method: Xvfb, a private D-Bus session,
# fcitx5 with pinyin in a fresh profile, and Qt's fcitx input-method module.
set -euo pipefail
ui_tests=${1:?usage: chinese_input.sh PATH_TO_UI_TESTS}
source "$(dirname "$0")/require_packages.sh"
require_packages xvfb xdotool dbus dbus-bin fcitx5 fcitx5-chinese-addons fcitx5-frontend-qt6
source "$(dirname "$0")/xvfb_session.sh"
xvfb_start

home=$(mktemp -d)
# fcitx5's frontends may still be writing into the profile while it goes.
trap 'xvfb_stop; rm -rf "$home" 2>/dev/null || true' EXIT
mkdir -p "$home/.config/fcitx5"
cat >"$home/.config/fcitx5/profile" <<'PROFILE'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=pinyin

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=pinyin
Layout=

[GroupOrder]
0=Default
PROFILE
export HOME=$home XDG_CONFIG_HOME=$home/.config LC_ALL=C.UTF-8
export QT_QPA_PLATFORM=xcb QT_IM_MODULE=fcitx XMODIFIERS=@im=fcitx

dbus-run-session -- bash -c '
    fcitx5 >"$HOME/fcitx5.log" 2>&1 &
    fcitx=$!
    # Asking fcitx5-remote before fcitx5 owns its bus name would start a second one.
    for _ in $(seq 50); do
        dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
            org.freedesktop.DBus.NameHasOwner string:org.fcitx.Fcitx5 2>/dev/null | grep -q true && break
        sleep 0.2
    done
    fcitx5-remote >/dev/null 2>&1 || { echo "fcitx5 did not start"; cat "$HOME/fcitx5.log"; exit 1; }
    "$0" --gtest_filter="ChineseInput.*"
    status=$?
    kill $fcitx 2>/dev/null
    wait $fcitx 2>/dev/null
    exit $status' "$ui_tests"
