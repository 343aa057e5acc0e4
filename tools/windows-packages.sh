#!/usr/bin/env bash
# Makes the Windows packages: installs what the Windows build needs that is missing,
# cross-builds the program with mingw-w64 and writes
#   build-windows/zelkor-<version>-x64-setup.exe    (the installer)
#   build-windows/zelkor-<version>-x64-portable.zip (the one .exe, to run from anywhere)
set -euo pipefail
source "$(dirname "$0")/setup.sh"
zelkor_install "${ZELKOR_WINDOWS_BUILD_PACKAGES[@]}"
zelkor_build windows
ls -l "$ZELKOR_ROOT"/build-windows/zelkor-*-x64-setup.exe "$ZELKOR_ROOT"/build-windows/zelkor-*-x64-portable.zip
