#!/usr/bin/env bash
# What a blind pupil hears: the real program under the real Orca, on Xvfb, in a private
# D-Bus session with the accessibility bus, Orca speaking through speech-dispatcher and
# espeak-ng into ALSA's null device, in a Chinese locale made for the test. orca_speech.py
# drives runs, the sheet, the stopwatch and the answers, and checks Orca's debug log for
# what it spoke and espeak-ng's transcription of it for every operator.
#
# It runs beside any other Orca of the same user (a developer's own screen reader)
# without touching it: its Orca has its own session, runtime folder, home and settings,
# and looks for other Orcas only within its own process session, so it neither refuses
# to start nor kills them, as Orca does with the other Orcas it finds. To prove it, a
# stand-in named orca runs beside it and must still run at the end.
# Given the browser page (an .html file) instead of the program, orca_page.py drives the
# page in a Chromium window instead.
# Optional second argument: a folder to keep Orca's log and the spoken lines in.
set -euo pipefail
program=${1:?usage: orca_speech.sh PATH_TO_ZELKOR_OR_PAGE [KEEP_DIR]}
driver=orca_speech.py
case "$program" in *.html) driver=orca_page.py ;; esac
keep=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/require_packages.sh"
require_packages xvfb xdotool dbus dbus-bin at-spi2-core python3-gi gir1.2-atspi-2.0 \
    orca speech-dispatcher speech-dispatcher-espeak-ng speech-dispatcher-audio-plugins \
    espeak-ng locales
[ "$driver" = orca_page.py ] && require_packages chromium python3-websocket
source "$here/xvfb_session.sh"
xvfb_start

work=$(mktemp -d)
other=""
trap '[ -n "$other" ] && kill "$other" 2>/dev/null; xvfb_stop; rm -rf "$work"' EXIT

# The other Orca: a process of the same user with the name Orca's own search matches.
mkdir -p "$work/other"
cp "$(command -v sleep)" "$work/other/orca"
"$work/other/orca" 600 &
other=$!

# A Chinese locale of the test's own, whatever the machine has generated.
mkdir -p "$work/locale"
localedef -i zh_CN -f UTF-8 "$work/locale/zh_CN.UTF-8" 2>"$work/localedef.out" || {
    cat "$work/localedef.out" >&2
    echo "FAIL could not make the zh_CN.UTF-8 locale" >&2
    exit 1
}

# Orca finds other Orcas with pgrep: here only those in its own process session.
mkdir -p "$work/bin"
printf '#!/bin/sh\nexec %s -s 0 "$@"\n' "$(command -v pgrep)" >"$work/bin/pgrep"
chmod +x "$work/bin/pgrep"

# A speech-dispatcher of our own: espeak-ng, Mandarin, sound to ALSA's null device.
mkdir -p "$work/speechd/modules" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
cp /etc/speech-dispatcher/modules/espeak-ng.conf "$work/speechd/modules/"
cat >"$work/speechd/speechd.conf" <<CONF
AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
DefaultLanguage "zh"
LogDir "$work"
CONF

# Orca and the program see a fresh user: no saved settings, a runtime folder of their own.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_CACHE_HOME="$work/home/.cache" XDG_RUNTIME_DIR="$work/runtime"
export LOCPATH="$work/locale"
export SPEECHD_ADDRESS="unix_socket:$work/speechd.sock" ALSA_CONFIG_PATH=/usr/share/alsa/alsa.conf
export ZELKOR_ORCA_PATH="$work/bin:$PATH"
unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON

status=0
# The locale goes to the session only: this shell started before it existed.
LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 LANGUAGE=zh_CN \
    dbus-run-session -- timeout 300 /usr/bin/python3 "$here/$driver" "$program" "$work" || status=$?
if kill -0 "$other" 2>/dev/null; then
    echo "ok   the other Orca of this user still runs"
else
    echo "FAIL the other Orca of this user was stopped"
    status=1
fi
if [ -n "$keep" ]; then
    mkdir -p "$keep"
    cp "$work"/orca.log "$work"/spoken.txt "$keep"/ 2>/dev/null || true
fi
exit $status
