# Sourced by tools/start.sh and tools/test.sh: installs the Debian 12 packages the
# project needs that are missing (as root with apt-get, otherwise through sudo) and
# builds the project in build/.

ZELKOR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# What the program needs to build and run. qt6-qpa-plugins is named on purpose:
# libqt6gui6 only recommends it, and without it no window can open.
ZELKOR_RUN_PACKAGES=(
    g++ cmake ninja-build
    qt6-base-dev qt6-qpa-plugins qt6-translations-l10n fonts-arphic-uming
)
# What the test suite and the benchmarks need besides.
ZELKOR_TEST_PACKAGES=(
    libgtest-dev libgmock-dev libbenchmark-dev
    libxcb-damage0-dev xvfb xdotool x11-utils
    desktop-file-utils appstream dpkg-dev file binutils
    clang libclang-rt-14-dev
)

zelkor_install() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
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
    "${apt[@]}" update -qq
    "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
}

# zelkor_build PRESET: configures and builds with a preset of CMakePresets.json.
zelkor_build() {
    cd "$ZELKOR_ROOT" || return 1
    cmake --preset "$1" >/dev/null && cmake --build --preset "$1"
}
