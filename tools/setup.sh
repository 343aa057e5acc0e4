# Sourced by tools/start.sh, tools/test.sh and tools/bench.sh: installs the Debian
# packages the project needs that are missing (as root with apt-get, otherwise through
# sudo) and builds with a preset. Debian 12 (bookworm) and 13 (trixie): every package
# name below exists on both.

ZELKOR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$ZELKOR_ROOT/tools/runs_32bit.sh"
source "$ZELKOR_ROOT/tests/smoke/require_packages.sh"  # package_installed

# What the program needs to build and run. qt6-qpa-plugins is named on purpose:
# libqt6gui6 only recommends it, and without it no window can open.
ZELKOR_RUN_PACKAGES=(
    g++ cmake ninja-build
    qt6-base-dev qt6-qpa-plugins qt6-translations-l10n fonts-arphic-uming
)
# What the test suite and the benchmarks need besides: the test frameworks; a real X
# server and the tools that drive and read it; the desktop-file, AppStream and
# packaging checkers; clang's fuzzer runtime; and the desktops users run the program
# on: the GTK theme (dark schemes), a Chinese input method with pinyin, Wayland, and
# the accessibility bus with a client of it, as a screen reader uses it, and the
# screen reader itself, speaking through speech-dispatcher and espeak-ng, in a Chinese
# locale the test makes (localedef and the locale sources).
ZELKOR_TEST_PACKAGES=(
    libgtest-dev libgmock-dev libbenchmark-dev
    libxcb-damage0-dev xvfb xdotool x11-utils
    desktop-file-utils appstream dpkg-dev file binutils lintian
    clang libclang-rt-dev
    qt6-gtk-platformtheme
    dbus dbus-bin fcitx5 fcitx5-chinese-addons fcitx5-frontend-qt6
    weston qt6-wayland
    at-spi2-core python3-gi gir1.2-atspi-2.0
    orca speech-dispatcher speech-dispatcher-espeak-ng speech-dispatcher-audio-plugins espeak-ng
    locales
)
# What the Windows build needs: CMake and Ninja, the mingw-w64 cross compiler (posix
# threads), GoogleTest's sources to build it for Windows, icoutils for the program's
# icon and NSIS for the installer. Its tests need Wine besides, on Xvfb, and xdotool.
ZELKOR_WINDOWS_BUILD_PACKAGES=(
    cmake ninja-build g++-mingw-w64-x86-64-posix googletest icoutils nsis
)
ZELKOR_WINDOWS_PACKAGES=(
    "${ZELKOR_WINDOWS_BUILD_PACKAGES[@]}" wine wine64 xvfb xdotool
)
# The 32-bit program: the i686 cross compiler, and 32-bit Wine for its tests (Debian's
# i386 architecture, which zelkor_install adds where a package names it).
ZELKOR_WINDOWS32_BUILD_PACKAGES=(g++-mingw-w64-i686-posix)
ZELKOR_WINDOWS32_PACKAGES=("${ZELKOR_WINDOWS32_BUILD_PACKAGES[@]}" wine32:i386)

# What the browser page needs: Debian's emscripten (with its node), babel to bring the
# glue emscripten writes down to ES2015, GoogleTest's sources for the logic tests under
# node, and the font tools that cut the page's Song face, in its regular and bold, from
# Noto Serif CJK. Its tests need Chromium besides, driven over the DevTools protocol, an
# image reader for the text's pixels, binaryen's validator and npm for the checkers of
# the oldest browsers (a node that is not Debian's may bring its own npm), which it
# fetches over HTTPS (ca-certificates).
ZELKOR_WEB_BUILD_PACKAGES=(
    cmake ninja-build emscripten nodejs node-babel7 googletest
    python3 python3-fonttools python3-brotli fonts-noto-cjk
)
ZELKOR_WEB_PACKAGES=(
    "${ZELKOR_WEB_BUILD_PACKAGES[@]}" chromium python3-websocket python3-pil
    fonts-dejavu-core fontconfig binaryen ca-certificates
)
command -v npm >/dev/null || ZELKOR_WEB_PACKAGES+=(npm)
# The other two engines the page is tested in.
ZELKOR_ENGINE_PACKAGES=(firefox-esr webkit2gtk-driver)

zelkor_install() {
    local missing=()
    for package in "$@"; do
        package_installed "$package" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local apt=(apt-get)
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || {
            echo "Please install as root: apt-get install ${missing[*]}" >&2
            return 1
        }
        apt=(sudo apt-get)
    fi
    export DEBIAN_FRONTEND=noninteractive
    if printf '%s\n' "${missing[@]}" | grep -q ':i386$' &&
        ! dpkg --print-foreign-architectures | grep -qx i386; then
        local dpkg=(dpkg)
        [ "$(id -u)" -ne 0 ] && dpkg=(sudo dpkg)
        "${dpkg[@]}" --add-architecture i386
    fi
    "${apt[@]}" update -qq
    "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
}

# zelkor_build PRESET: configures and builds with a preset of CMakePresets.json.
zelkor_build() {
    cd "$ZELKOR_ROOT" || return 1
    cmake --preset "$1" >/dev/null && cmake --build --preset "$1"
}
