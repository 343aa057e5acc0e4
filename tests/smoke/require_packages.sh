# Sourced by the tests that need desktop tools (an X server, an input method, a
# compositor, Wine, packaging checkers). require_packages PACKAGE... returns when every
# Debian package named is installed. Otherwise the test is skipped (exit 77, which
# ctest reports as Skipped) with a line naming what is missing; with
# ZELKOR_REQUIRE_DESKTOP_TOOLS=1 (the full suite, run after everything is installed)
# it fails instead, so that a suite can never pass on skips.
# package_installed PACKAGE: whether its files are in place and configured. A package
# whose triggers wait (another package's install, maybe still running, interests them:
# a new .desktop file for desktop-file-utils) is installed all the same.
package_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null |
        grep -Eqx 'install ok (installed|triggers-pending|triggers-awaited)'
}

require_packages() {
    local missing=() package
    for package in "$@"; do
        package_installed "$package" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "${ZELKOR_REQUIRE_DESKTOP_TOOLS:-0}" = 1 ]; then
        echo "FAILED: needs the Debian packages ${missing[*]}, which are not installed" >&2
        exit 1
    fi
    echo "SKIPPED: needs the Debian packages ${missing[*]}"
    exit 77
}
