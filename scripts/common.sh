# Shared by run.sh and test.sh: installs what a fresh Debian 12 machine lacks, then configures and builds.
# shellcheck shell=bash

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Installs the Debian packages that are missing; as root directly, otherwise through sudo.
install_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local as_root=()
    [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    "${as_root[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

BUILD_PACKAGES=(cmake make g++ ccache qt6-base-dev libx11-dev libxtst-dev libsndfile1-dev libasound2-dev pkg-config fonts-dejavu-core)
# The Debian package: dpkg-shlibdeps computes its Depends, file finds the binaries for it.
PACKAGE_PACKAGES=(dpkg-dev file)
# The end-to-end tests' X server and tools (x11-xserver-utils: xrandr and xrdb), Chromium as a real client of the
# clicks and xcompmgr as a compositing manager under the progress ring; clang and its runtime for the libFuzzer
# targets; the checkers of the desktop entry, the AppStream data, the manual page and the package; a session bus,
# the accessibility bus and its Python bindings, through which a test reads the windows as a screen reader does.
TEST_PACKAGES=(xvfb xauth xdotool x11-utils x11-xserver-utils clang libclang-rt-dev desktop-file-utils appstream
    man-db lintian chromium xcompmgr dbus-daemon dbus-bin at-spi2-core python3-pyatspi)
# The Windows backend's tests: a MinGW-w64 cross build run under Wine (locales gives localedef its sources).
WINE_TEST_PACKAGES=(g++-mingw-w64-x86-64 wine wine64 locales)

# build <preset> [extra cmake arguments...]
build() {
    local preset=$1
    shift
    cmake -S "$ROOT" --preset "$preset" "$@" >/dev/null
    cmake --build "$ROOT/build/$preset" -j "$(nproc)"
}
