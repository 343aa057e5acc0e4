#!/usr/bin/env bash
# The Windows installer under Wine: a silent install puts the program into Program
# Files with its Start-menu shortcut and its Add/Remove Programs entry; the installed
# program shows its window; a silent uninstall leaves no file, folder, shortcut or key.
# usage: installer_test.sh SETUP.EXE SHORTCUT_NAME
set -euo pipefail
setup=${1:?usage: installer_test.sh SETUP.EXE SHORTCUT_NAME}
shortcut_name=${2:?usage: installer_test.sh SETUP.EXE SHORTCUT_NAME}
source "$(dirname "$0")/wine_session.sh"
require_packages xdotool
xvfb_start
wine_prefix_ready

drive_c="$WINEPREFIX/drive_c"
install_dir="$drive_c/Program Files/Zelkor"
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$shortcut_name.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelkor'

failed=0
check() { # WHAT COMMAND...
    local what=$1
    shift
    if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failed=1; fi
}
# A value of the uninstall key as text. reg export writes UTF-16, which keeps the
# Chinese that reg query's console output loses: "Name"="text" or "Name"=dword:hex.
key_value() {
    local file="$WINEPREFIX/drive_c/zelkor-key.reg"
    wine reg export "$key" 'C:\zelkor-key.reg' /y >/dev/null 2>&1 || return 0
    iconv -f UTF-16LE -t UTF-8 "$file" | tr -d '\r' | sed -n "s/^\"$1\"=//p" |
        sed -E 's/^"(.*)"$/\1/; s/^dword:/0x/; s/\\\\/\\/g'
    rm -f "$file"
}
key_present() { wine reg query "$key" >/dev/null 2>&1; }

# What an earlier, interrupted run may have left.
rm -rf "$install_dir" "$shortcut"
wine reg delete "$key" /f >/dev/null 2>&1 || true

timeout 120 wine "$setup" /S
wine_wait 60
check "program installed" test -f "$install_dir/zelkor.exe"
check "uninstaller installed" test -f "$install_dir/uninstall.exe"
check "Start-menu shortcut" test -f "$shortcut"
check "uninstall key: display name" test "$(key_value DisplayName)" = "$shortcut_name"
check "uninstall key: version" test "$(key_value DisplayVersion)" = "1.2"
check "uninstall key: publisher" test -n "$(key_value Publisher)"
check "uninstall key: icon" test "$(key_value DisplayIcon)" = 'C:\Program Files\Zelkor\zelkor.exe,0'
check "uninstall key: quiet uninstall" test -n "$(key_value QuietUninstallString)"
check "uninstall key: size" test "$(( $(key_value EstimatedSize) ))" -gt 0

wine "C:\\Program Files\\Zelkor\\zelkor.exe" &
window=$(timeout 30 env LC_ALL=$TOOL_LOCALE xdotool search --sync --onlyvisible --name 'ZelkorV1.2版' | head -n 1) || true
check "installed program shows its window" test -n "$window"
wineserver -k || true
wine_wait 30 || true

timeout 120 wine "C:\\Program Files\\Zelkor\\uninstall.exe" /S
wine_wait 60
check "no program folder left" test ! -e "$install_dir"
check "no shortcut left" test ! -e "$shortcut"
check "no uninstall key left" eval '! key_present'
[ $failed -eq 0 ] && echo "installer: passed"
exit $failed
