#!/usr/bin/env bash
# The Windows program imports nothing that Windows 7 SP1 lacks: every function in its
# import table must be listed in windows_imports.txt with a version no newer than 7.
# And it imports only DLLs that Windows never looks for in the program's folder: each
# must be listed there as a known DLL or one the manifest names.
# usage: import_pin_test.sh OBJDUMP PROGRAM.exe LIST
set -euo pipefail
objdump=$1 program=$2 list=$3
# An entry is "vma hint name" (binutils 2.40) or "vma ordinal hint name" (2.44): the
# name comes last either way.
imports=$("$objdump" -p "$program" | awk '
    /DLL Name:/ { dll = toupper($3); next }
    dll && /^\t[0-9a-f]+[ \t]/ && NF >= 3 && $NF ~ /^[A-Za-z_]/ { print dll, $NF }')
[ -n "$imports" ] || { echo "FAILED: no import table read from $program" >&2; exit 1; }
awk -v program="$program" '
    function rank(version) {
        return index(" 2000 xp vista 7 8 8.1 10-1607 10-1709 ", " " version " ")
    }
    FNR == NR {
        if ($0 ~ /^#/) next
        if (NF == 3) since[$1 " " $2] = $3
        if (NF == 2) found[$1] = $2
        next
    }
    !($1 in checked) {
        checked[$1] = 1
        if (!($1 in found)) {
            print "FAILED: " $1 " is neither a known DLL nor in the manifest: a copy beside the program would be loaded"
            bad++
        }
    }
    {
        total++
        key = $1 " " $2
        version = (key in since) ? since[key] : since[$1 " *"]
        if (version == "") { print "FAILED: " key " is in no list of what Windows 7 has"; bad++ }
        else if (rank(version) > rank("7")) { print "FAILED: " key " needs Windows " version; bad++ }
    }
    END {
        printf "%s: %d imported functions from %d DLLs, %d faults\n",
               program, total, length(checked), bad
        exit bad > 0
    }' "$list" <(echo "$imports")
