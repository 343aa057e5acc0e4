#!/usr/bin/env bash
# Builds the .deb with CPack and checks it: lintian finds no error and no warning;
# every shared library the program links is covered by a package in Depends, and so
# are the pieces Qt loads at run time (the X11 platform plugin, the Song-style font,
# Qt's Chinese translation).
set -euo pipefail
build=${1:?usage: deb_test.sh BUILD_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work" >/dev/null)
deb=$(ls "$work"/*.deb)
echo "built $(basename "$deb")"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
dpkg-deb -c "$deb" | awk '{print $6}' | grep -E 'usr/bin/zelkor$|applications/.*\.desktop$|metainfo/.*\.xml$|32x32/apps/.*\.png$|scalable/apps/.*\.svg$' | sort
dpkg-deb -x "$deb" "$work/root"

# The package names in Depends, without versions or alternatives' spacing.
declared=$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*)//; s/^ *//; s/ *$//; s/:.*//' | sort -u)
missing=0
covers() { grep -qx "$1" <<<"$declared"; }
for needed in $(objdump -p "$work/root/usr/bin/zelkor" | awk '/NEEDED/ {print $2}'); do
    path=$(ldconfig -p | awk -v lib="$needed" '$1 == lib && !found {print $NF; found = 1}')
    real=$(readlink -f "$path")
    package=""
    # dpkg knows a file under the path its package shipped, /lib or /usr/lib.
    for candidate in "$path" "$real" "${real#/usr}" "${path#/usr}"; do
        package=$(dpkg -S "$candidate" 2>/dev/null | head -n1 | cut -d: -f1 || true)
        [ -n "$package" ] && break
    done
    if covers "$package"; then
        echo "ok   $needed <- $package"
    else
        echo "MISSING $needed (from $package) is not in Depends"
        missing=1
    fi
done
for runtime in qt6-qpa-plugins fonts-arphic-uming qt6-translations-l10n; do
    covers "$runtime" && echo "ok   run-time $runtime" || { echo "MISSING run-time $runtime"; missing=1; }
done

# Every tag lintian prints at error or warning level fails the package.
if lintian --tag-display-limit 0 --fail-on error,warning "$deb" 2>/dev/null >"$work/lintian.txt"; then
    echo "lintian: no errors, no warnings ($(grep -c '^[IPX]:' "$work/lintian.txt" || true) notes)"
else
    echo "lintian:"
    cat "$work/lintian.txt"
    missing=1
fi
exit $missing
