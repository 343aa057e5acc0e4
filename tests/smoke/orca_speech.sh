#!/usr/bin/env bash
# What a blind pupil hears: the real program under the real Orca, on Xvfb, in a private
# D-Bus session with the accessibility bus, Orca speaking through speech-dispatcher and
# espeak-ng into ALSA's null device. orca_speech.py drives a run, the sheet, the
# stopwatch and the answers, and checks Orca's debug log for what it spoke.
# Optional second argument: a folder to keep Orca's log and the spoken lines in.
set -euo pipefail
program=${1:?usage: orca_speech.sh PATH_TO_ZELKOR [KEEP_DIR]}
keep=${2:-}
here=$(dirname "$0")
source "$here/require_packages.sh"
require_packages xvfb xdotool dbus dbus-bin at-spi2-core python3-gi gir1.2-atspi-2.0 \
    orca speech-dispatcher speech-dispatcher-espeak-ng speech-dispatcher-audio-plugins \
    espeak-ng
source "$here/xvfb_session.sh"
xvfb_start

work=$(mktemp -d)
trap 'xvfb_stop; rm -rf "$work"' EXIT

# A speech-dispatcher of our own: espeak-ng, Mandarin, sound to ALSA's null device.
mkdir -p "$work/speechd/modules" "$work/home"
cp /etc/speech-dispatcher/modules/espeak-ng.conf "$work/speechd/modules/"
cat >"$work/speechd/speechd.conf" <<EOF
AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
DefaultLanguage "zh"
LogDir "$work"
EOF

# Orca and the program see a fresh user: no saved settings, no locale of the machine's.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_CACHE_HOME="$work/home/.cache" LC_ALL=C.UTF-8 LANG=C.UTF-8
export SPEECHD_ADDRESS="unix_socket:$work/speechd.sock" ALSA_CONFIG_PATH=/usr/share/alsa/alsa.conf
unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON

status=0
dbus-run-session -- timeout 300 /usr/bin/python3 "$here/orca_speech.py" "$program" "$work" || status=$?
if [ -n "$keep" ]; then
    mkdir -p "$keep"
    cp "$work"/orca.log "$work"/spoken.txt "$keep"/ 2>/dev/null || true
fi
exit $status
