#!/usr/bin/env bash
# The test command's question "does this kernel run 32-bit programs?": a program of a
# machine no x86 kernel runs is refused (1), never taken for an error or for a yes, and
# the i386 probe gets a yes or a no, never an error, that agrees with what the kernel
# says of itself where it says anything. Nothing is left behind.
set -uo pipefail
source "$(dirname "$0")/../../tools/runs_32bit.sh"
root=$(cd "$(dirname "$0")/../.." && pwd)
failed=0
check() { # WHAT EXPECTED ACTUAL
    if [ "$2" = "$3" ]; then echo "ok   $1"; else echo "FAIL $1: expected $2, got $3"; failed=1; fi
}
verdict() { zelkor_runs_32bit "$@" 2>/dev/null; echo $?; }

# Machines no x86-64 kernel runs as 32-bit programs: none, x86-64 in a 32-bit file, Arm.
for machine in 00 3e 28; do
    check "a 32-bit program for machine 0x$machine is refused" 1 "$(TMPDIR=/nonexistent verdict $machine)"
done

i386=$(verdict)
case $i386 in
    0) echo "this kernel runs 32-bit programs" ;;
    1) echo "this kernel runs no 32-bit programs" ;;
    *) check "the i386 probe answers yes or no" "0 or 1" "$i386" ;;
esac
# What the kernel says of itself: its log where it turned the emulation off, its
# configuration where it was built without it.
config=$(zcat /proc/config.gz 2>/dev/null || true)
if dmesg 2>/dev/null | grep '32-bit emulation disabled' >/dev/null; then
    check "the kernel's log says its 32-bit emulation is off" 1 "$i386"
elif grep -qx '# CONFIG_IA32_EMULATION is not set' <<<"$config"; then
    check "the kernel is built without 32-bit emulation" 1 "$i386"
elif grep -qx 'CONFIG_IA32_EMULATION=y' <<<"$config" &&
    ! grep -qx 'CONFIG_IA32_EMULATION_DEFAULT_DISABLED=y' <<<"$config" &&
    ! grep -qw 'ia32_emulation=off' /proc/cmdline; then
    check "the kernel is built with its 32-bit emulation on" 0 "$i386"
fi
check "no probe program left behind" "" "$(find "$root" -maxdepth 1 -name '.i386-probe.*')"
[ $failed -eq 0 ] && echo "runs_32bit: passed"
exit $failed
