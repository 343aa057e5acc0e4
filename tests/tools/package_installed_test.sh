#!/usr/bin/env bash
# Whether a package counts as installed, for the test command's installing and for the
# tests that need desktop tools, by what dpkg says of it: files in place and configured,
# its triggers waiting or not (the test command installs in the background while tests
# run, and a package's triggers wait meanwhile), counts; anything less does not.
set -uo pipefail
source "$(dirname "$0")/../smoke/require_packages.sh"
fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT
# A dpkg-query that says STATUS of every package, or knows none where STATUS is empty.
cat >"$fake/dpkg-query" <<'FAKE'
#!/bin/sh
[ -n "$STATUS" ] || { echo "dpkg-query: no packages found matching $3" >&2; exit 1; }
printf '%s' "$STATUS"
FAKE
chmod +x "$fake/dpkg-query"
failed=0
while IFS='|' read -r status expected; do
    if PATH="$fake:$PATH" STATUS=$status package_installed some-package; then got=yes; else got=no; fi
    if [ "$got" = "$expected" ]; then
        echo "ok   '$status': $got"
    else
        echo "FAIL '$status': expected $expected, got $got"
        failed=1
    fi
done <<'CASES'
install ok installed|yes
install ok triggers-pending|yes
install ok triggers-awaited|yes
install ok unpacked|no
install ok half-configured|no
install ok half-installed|no
deinstall ok config-files|no
install reinstreq half-installed|no
|no
CASES
[ $failed -eq 0 ] && echo "package_installed: passed"
exit $failed
