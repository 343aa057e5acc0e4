# Sourced by the scripts that run Windows programs: a private Wine prefix and a private
# Xvfb. The prefix (WINEPREFIX, made once and reused) maps 宋体, SimSun and NSimSun to
# AR PL UMing, as a Windows machine without them would fall back to a Song face; its
# screen density is set per run (wine_set_dpi).
#
# Where Wine or Xvfb is missing, the caller is skipped naming the packages
# (require_packages.sh).
source "$(dirname "${BASH_SOURCE[0]}")/../smoke/require_packages.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/runs_32bit.sh"
# A 32-bit prefix (WINEARCH=win32) runs the 32-bit build, as 32-bit Windows would.
# WINE_NEEDS_32BIT=1 says that the caller runs a 32-bit program (the installer) in a
# 64-bit prefix.
WINEARCH=${WINEARCH:-win64}
if [ "$WINEARCH" = win32 ]; then
    require_packages wine wine32:i386 xvfb
else
    require_packages wine wine64 xvfb
fi
runs_32bit=yes
zelkor_runs_32bit "${ZELKOR_PROBE_MACHINE:-03}" || case $? in
    1) runs_32bit=no ;;
    *) exit 1 ;;
esac
if [ $runs_32bit = no ] && { [ "$WINEARCH" = win32 ] || [ "${WINE_NEEDS_32BIT:-0}" = 1 ]; }; then
    # What the kernel cannot run fails nowhere: skipped, in the full suite too.
    echo "SKIPPED: $ZELKOR_NO_32BIT_LINE"
    exit 77
fi
source "$(dirname "${BASH_SOURCE[0]}")/../smoke/xvfb_session.sh"

# Debian keeps wineserver and wine64 out of PATH.
export PATH="$PATH:/usr/lib/wine"
: "${WINEPREFIX:?WINEPREFIX names the Wine prefix to use}"
WINEPREFIX=$(realpath -m "$WINEPREFIX")  # Wine takes absolute paths only
export WINEPREFIX WINEDEBUG=-all WINEARCH
if [ $runs_32bit = no ]; then
    # Debian's wine starts its 32-bit loader wherever wine32 is installed, even for a
    # 64-bit program: here every Wine command goes to the 64-bit loader instead.
    mkdir -p "$WINEPREFIX.loaders"
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$WINEPREFIX.loaders/wine"
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 wineboot "$@"\n' >"$WINEPREFIX.loaders/wineboot"
    chmod +x "$WINEPREFIX.loaders/wine" "$WINEPREFIX.loaders/wineboot"
    export PATH="$WINEPREFIX.loaders:$PATH" WINELOADER=/usr/lib/wine/wine64
fi
# No .NET or browser engine: nothing here needs them, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine reads command lines and file names in the locale's character set.
export LC_ALL=C.UTF-8

wine_reg() { wine reg "$@" >/dev/null 2>&1; }

# Makes the prefix once; other tests wait on the lock meanwhile.
wine_prefix_ready() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock -w 300 9 || { echo "Wine prefix lock not taken in 300 s" >&2; exit 1; }
        # A prefix made by another Wine (an upgrade, or before 32-bit Wine was added, which
        # leaves a 64-bit prefix without its 32-bit half) is made again.
        local made_by
        made_by=$(dpkg-query -W -f='${Package} ${Version}\n' wine64 wine32:i386 2>/dev/null || true)
        [ -f "$WINEPREFIX/.zelkor-ready" ] && [ "$(cat "$WINEPREFIX/.zelkor-ready")" = "$made_by" ] &&
            exit 0
        rm -rf "$WINEPREFIX"
        timeout 240 wineboot --init >/dev/null 2>&1 || { echo "wineboot failed" >&2; exit 1; }
        local face
        for face in 宋体 SimSun NSimSun; do
            wine_reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ \
                /d "AR PL UMing CN" /f
        done
        # No window manager runs on the private Xvfb: unmanaged windows spare each window
        # Wine closes its two-second wait for a window manager's answer.
        wine_reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f
        timeout 60 wineserver -w
        echo "$made_by" >"$WINEPREFIX/.zelkor-ready"
    ) 9>"$WINEPREFIX.lock"
}

# The density the prefix holds now, in dots per inch, read from its registry file (no
# Wine session is running between two programs); nothing where none is set.
wine_dpi() {
    local hex
    hex=$(sed -n '/^\[Control Panel\\\\Desktop\]/,/^\[/s/^"LogPixels"=dword:\([0-9a-f]*\)$/\1/p' \
        "$WINEPREFIX/user.reg" 2>/dev/null | head -n 1)
    [ -z "$hex" ] || echo $((16#$hex))
}

# The screen density Windows programs see, in dots per inch (96 is 100 %). Setting it
# takes a Wine session of its own, seconds long: not where the prefix holds it already.
wine_set_dpi() {
    [ "$(wine_dpi)" = "$1" ] && return 0
    wine_reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f ||
        { echo "could not set the screen density to $1 dpi" >&2; return 1; }
    # Wine 10 takes the density when a session starts: let this one end first.
    wine_wait 30
}

# Waits, with a bound, until every program of the prefix has ended.
wine_wait() { timeout "${1:-60}" wineserver -w; }
