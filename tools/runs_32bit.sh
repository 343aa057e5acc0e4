# Sourced by tools/setup.sh and by the Windows tests' Wine session: tells whether this
# machine's kernel runs 32-bit x86 programs. Some machines boot with the kernel's 32-bit
# emulation off (dmesg: "32-bit emulation disabled"; the kernel option ia32_emulation=on
# turns it on): there no i386 program starts ("Exec format error"), the 32-bit Windows
# program and the installer (a 32-bit NSIS program) cannot run under Wine, and once
# wine32 is installed Debian's wine starts its 32-bit loader for 64-bit programs too.

ZELKOR_NO_32BIT_LINE="This machine's kernel runs no 32-bit programs (its 32-bit emulation is off; the kernel option ia32_emulation=on turns it on): the 32-bit Windows program's tests and the installer's are left out."

# zelkor_runs_32bit [MACHINE]: told by running one, 95 bytes of i386 machine code that
# exit with status 42 through int 0x80 and need no library. Returns 0 where it runs, 1
# where the kernel refuses its format, and 2, saying why, on any other outcome. MACHINE
# is the ELF header's machine byte in hex (default 03, i386): 00 makes a program that
# no kernel runs, to try the other way on a machine that runs 32-bit programs.
zelkor_runs_32bit() {
    local machine=${1:-03} folder probe status=0 said
    # Beside the project, not in /tmp, which may be mounted noexec.
    folder=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
    probe=$(mktemp "$folder/.i386-probe.XXXXXX") || return 2
    {
        # The ELF header: 32-bit, little-endian, an executable for MACHINE entered at
        # 0x8048054, with one program header right after it.
        printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x'"$machine"'\x00'
        printf '\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00'
        printf '\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'
        # The program header: the whole file (95 bytes) loaded at 0x8048000, readable
        # and executable.
        printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'
        printf '\x5f\x00\x00\x00\x5f\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
        # xor ebx, ebx; mov bl, 42; mov eax, 1 (exit); int 0x80
        printf '\x31\xdb\xb3\x2a\xb8\x01\x00\x00\x00\xcd\x80'
    } >"$probe"
    chmod +x "$probe"
    said=$(LC_ALL=C bash -c '"$1"' probe "$probe" 2>&1) || status=$?
    rm -f "$probe"
    case $status in
        42) return 0 ;;
        126) case $said in *"Exec format error"*) return 1 ;; esac ;;
    esac
    echo "zelkor_runs_32bit: the probe program ended with status $status: $said" >&2
    return 2
}
