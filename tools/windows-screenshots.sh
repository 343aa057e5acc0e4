#!/usr/bin/env bash
# The README's screenshots of the Windows build, under Wine in a private Xvfb: the
# window with a sheet on it and its stopwatch stopped, at 96 dpi (100 %) and 144 dpi
# (150 %): docs/windows-96dpi.png and docs/windows-144dpi.png.
# Usage: tools/windows-screenshots.sh [WINDOWS_BUILD_DIR]   (default: build-windows)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$root/build-windows}")
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
source "$root/tests/windows/wine_session.sh"
XVFB_SCREEN=2560x1600x24 xvfb_start
wine_prefix_ready

for dpi in 96 144; do
    wine_set_dpi "$dpi"
    scale=$(awk -v d="$dpi" 'BEGIN { print d / 96 }')
    wine "$build/zelkor.exe" &
    window=$(timeout 30 env LC_ALL=$TOOL_LOCALE xdotool search --sync --onlyvisible \
        --name 'ZelkorV1.2版' | head -n 1)
    # Wine draws the frame of an unmanaged window into its X window: find the client area.
    eval "$(xdotool getwindowgeometry --shell "$window")"
    client_width=$(awk -v s="$scale" 'BEGIN { printf "%d", 1016 * s + 0.5 }')
    client_height=$(awk -v s="$scale" 'BEGIN { printf "%d", 702 * s + 0.5 }')
    border=$(((WIDTH - client_width) / 2))
    top=$((HEIGHT - client_height - border))
    echo "window ${WIDTH}x${HEIGHT}, client ${client_width}x${client_height} at +${border}+${top}"
    click_at() {
        xdotool mousemove --window "$window" \
            "$(awk -v v="$1" -v s="$scale" -v b="$border" 'BEGIN { printf "%d", v * s + b }')" \
            "$(awk -v v="$2" -v s="$scale" -v t="$top" 'BEGIN { printf "%d", v * s + t }')" click 1
        sleep 0.3
    }
    click_at 540 93    # 两位数加两位数
    click_at 540 131   # 两位减两位（退位）
    click_at 790 56    # 表内除法
    click_at 290 168   # 表内乘法
    click_at 128 56
    xdotool key ctrl+a type 12
    click_at 32 168    # 出题
    sleep 1
    click_at 104 168   # 式题
    sleep 2.4
    click_at 568 662   # 停止
    sleep 0.5
    import -window "$window" "$root/docs/windows-${dpi}dpi.png"
    echo "wrote docs/windows-${dpi}dpi.png"
    wineserver -k || true
    wine_wait 30 || true
done
