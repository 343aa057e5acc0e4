#!/usr/bin/env bash
# Regenerates the README's screenshots by driving the real program in a private Xvfb,
# as a person would: docs/window.png (at start), docs/flashing.png (a problem flashing
# with its progress caption), docs/sheet.png (the sheet, stopwatch running) and
# docs/answers.png (the sheet with answers).
# Usage: tools/screenshots.sh [PATH_TO_ZELKOR]   (default: build/zelkor)
# With QT_SCALE_FACTOR set (1.5, 2) it drives the window at that scale and names the
# shots window@2x.png and so on.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$root/build/zelkor}
out=$root/docs
mkdir -p "$out"
scale=${QT_SCALE_FACTOR:-1}
suffix=$([ "$scale" = 1 ] && echo "" || echo "@${scale}x")
export XVFB_SCREEN=2400x1600x24
source "$root/tests/smoke/xvfb_session.sh"
xvfb_start
start_program "$program"

# Places in window pixels (the window is fixed, so these are stable).
scaled() { awk -v v="$1" -v s="$scale" 'BEGIN { printf "%d", v * s }'; }
click_at() { xtool xdotool mousemove --window "$WINDOW_ID" "$(scaled "$1")" "$(scaled "$2")" click 1; sleep 0.2; }
type_into() { click_at "$1" "$2"; xtool xdotool key --window "$WINDOW_ID" ctrl+a; xtool xdotool type --delay 30 "$3"; }
shot() {
    sleep "${2:-0.3}"
    local name="${1%.png}$suffix.png"
    import -window "$WINDOW_ID" "$out/$name"
    echo "wrote docs/$name"
}

readonly COUNT_BOX=(128 56) INTERVAL_BOX=(128 112) START=(32 168) SHEET=(104 168) ANSWERS=(176 168)
box() { local col=$1 row=$2; echo "$((248 + 24 + 248 * col + 40)) $((16 + ${row} * 38 + 36))"; }

shot window.png 0.5
click_at $(box 1 1)   # 两位数加两位数
click_at $(box 1 2)   # 两位减两位（退位）
click_at $(box 2 0)   # 表内除法
click_at $(box 0 3)   # 表内乘法
type_into "${COUNT_BOX[@]}" 12
type_into "${INTERVAL_BOX[@]}" 5
click_at "${START[@]}"
shot flashing.png 1
type_into "${INTERVAL_BOX[@]}" 0.01
click_at "${START[@]}"
sleep 1
click_at "${SHEET[@]}"
sleep 2.4
xtool xdotool key --window "$WINDOW_ID" space
shot sheet.png
click_at "${ANSWERS[@]}"
shot answers.png
