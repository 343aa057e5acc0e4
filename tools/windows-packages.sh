#!/usr/bin/env bash
# Makes the Windows packages: installs what the Windows builds need that is missing,
# cross-builds the 32-bit and the 64-bit program with mingw-w64 and writes
#   build-windows/zelkor-<version>-setup.exe    (the installer, for both programs)
#   build-windows/zelkor-<version>-portable.zip (x64/zelkor.exe and x86/zelkor.exe)
set -euo pipefail
source "$(dirname "$0")/setup.sh"
zelkor_install "${ZELKOR_WINDOWS_BUILD_PACKAGES[@]}" "${ZELKOR_WINDOWS32_BUILD_PACKAGES[@]}"
zelkor_build windows32
zelkor_build windows
ls -l "$ZELKOR_ROOT"/build-windows/zelkor-*-setup.exe "$ZELKOR_ROOT"/build-windows/zelkor-*-portable.zip
