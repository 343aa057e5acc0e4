#!/usr/bin/env bash
# The Windows installer under Wine, silently, in one install mode:
#   AllUsers     the program into Program Files, the all-users Start menu, HKLM;
#   CurrentUser  the user's own programs folder, the user's Start menu, HKCU;
# each time the program of the prefix's Windows (64-bit in a 64-bit prefix, 32-bit in a
# 32-bit one), its Add/Remove Programs entry in the registry view the installer writes,
# its window, the uninstaller's refusal while the program runs, and a silent uninstall
# that leaves no file, folder, shortcut or key. Each
# "nothing left" check first proves that it sees what the install added.
#   TooOld       on Windows Vista the installer refuses, installing nothing.
# usage: installer_test.sh SETUP.EXE SHORTCUT_NAME AllUsers|CurrentUser|TooOld
set -euo pipefail
usage="usage: installer_test.sh SETUP.EXE SHORTCUT_NAME AllUsers|CurrentUser|TooOld"
setup=${1:?$usage} shortcut_name=${2:?$usage} mode=${3:?$usage}
source "$(dirname "$0")/wine_session.sh"
require_packages xdotool
xvfb_start
wine_prefix_ready

# Where the prefix keeps a Windows path, as a Unix path.
unix_path() { wine winepath -u "$1" 2>/dev/null | tr -d '\r'; }
folder_of() { wine cmd /c "echo %$1%" 2>/dev/null | tr -d '\r'; }

if [ "$WINEARCH" = win32 ]; then view=32 machine=i386; else view=64 machine=x86-64; fi
case $mode in
    AllUsers | TooOld)
        hive=HKLM
        install_windows='C:\Program Files\Zelkor'
        menu="$(folder_of ProgramData)\\Microsoft\\Windows\\Start Menu\\Programs" ;;
    CurrentUser)
        hive=HKCU
        install_windows="$(folder_of LOCALAPPDATA)\\Programs\\Zelkor"
        menu="$(folder_of APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs" ;;
    *) echo "$usage" >&2; exit 2 ;;
esac
install_dir=$(unix_path "$install_windows")
shortcut="$(unix_path "$menu")/$shortcut_name.lnk"
key="$hive\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zelkor"

failed=0
check() { # WHAT COMMAND...
    local what=$1
    shift
    if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failed=1; fi
}
# A value of the uninstall key as text, in the installer's registry view. reg export
# writes UTF-16, which keeps the Chinese that reg query's console output loses:
# "Name"="text" or "Name"=dword:hex.
key_value() {
    local file="$WINEPREFIX/drive_c/zelkor-key.reg"
    wine reg export "$key" 'C:\zelkor-key.reg' /y "/reg:$view" >/dev/null 2>&1 || return 0
    iconv -f UTF-16LE -t UTF-8 "$file" | tr -d '\r' | sed -n "s/^\"$1\"=//p" |
        sed -E 's/^"(.*)"$/\1/; s/^dword:/0x/; s/\\"/"/g; s/\\\\/\\/g'
    rm -f "$file"
}
key_present() { wine reg query "$key" "/reg:$view" >/dev/null 2>&1; }
# The machine a Windows program is built for, from its PE header's machine field.
machine_of() {
    local header
    header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    case $(od -An -tx2 -j$((header + 4)) -N2 "$1" | tr -d ' ') in
        8664) echo x86-64 ;;
        014c) echo i386 ;;
        *) echo unknown ;;
    esac
}

# What an earlier, interrupted run may have left.
rm -rf "$install_dir" "$shortcut"
wine reg delete "$key" /f "/reg:$view" >/dev/null 2>&1 || true

if [ "$mode" = TooOld ]; then
    wine_reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d vista /f
    set +e
    timeout 120 wine "$setup" /S
    status=$?
    set -e
    wine_reg delete 'HKCU\Software\Wine' /v Version /f
    wine_wait 60
    check "refused on Windows Vista (exit 3)" test "$status" -eq 3
    check "nothing installed" test ! -e "$install_dir"
    check "no uninstall key" eval '! key_present'
    [ $failed -eq 0 ] && echo "installer ($mode): passed"
    exit $failed
fi

timeout 120 wine "$setup" /S "/$mode"
wine_wait 60
check "program installed in $install_windows" test -f "$install_dir/zelkor.exe"
check "the $machine program" test "$(machine_of "$install_dir/zelkor.exe")" = "$machine"
check "uninstaller installed" test -f "$install_dir/uninstall.exe"
check "Start-menu shortcut" test -f "$shortcut"
check "uninstall key in $hive, $view-bit view" key_present
check "uninstall key: display name" test "$(key_value DisplayName)" = "$shortcut_name"
check "uninstall key: version" test "$(key_value DisplayVersion)" = "1.2"
check "uninstall key: publisher" test -n "$(key_value Publisher)"
check "uninstall key: icon" test "$(key_value DisplayIcon)" = "$install_windows\\zelkor.exe,0"
check "uninstall key: install mode" test "$(key_value InstallMode)" = "$mode"
check "uninstall key: quiet uninstall" \
    test "$(key_value QuietUninstallString)" = "\"$install_windows\\uninstall.exe\" /S /$mode"
check "uninstall key: size" test "$(( $(key_value EstimatedSize) ))" -gt 0

wine "$install_windows\\zelkor.exe" &
window=$(timeout 30 env LC_ALL=$TOOL_LOCALE xdotool search --sync --onlyvisible --name 'ZelkorV1.2版' | head -n 1) || true
check "installed program shows its window" test -n "$window"
# While the drill runs its file cannot be removed: the uninstaller refuses, leaving
# everything in place, and says so in its exit code. Run in place (_?=), as NSIS's
# uninstallers give their exit code only then. The folder after _?= goes unquoted, as
# NSIS wants it: one word of the command line per word of the path.
read -ra in_place <<<"_?=$install_windows"
set +e
timeout 120 wine "$install_windows\\uninstall.exe" /S "/$mode" "${in_place[@]}"
status=$?
set -e
check "uninstalling refused while the drill runs (exit 4)" test "$status" -eq 4
check "program kept while it runs" test -f "$install_dir/zelkor.exe"
check "uninstall key kept while it runs" key_present
wineserver -k || true
wine_wait 30 || true

timeout 120 wine "$install_windows\\uninstall.exe" /S "/$mode"
wine_wait 60
check "no program folder left" test ! -e "$install_dir"
check "no shortcut left" test ! -e "$shortcut"
check "no uninstall key left" eval '! key_present'
[ $failed -eq 0 ] && echo "installer ($mode): passed"
exit $failed
