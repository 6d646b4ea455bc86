#!/usr/bin/env bash
# Installs what is missing, builds and runs every test. Starts its own X server, so no display is needed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages "${BUILD_PACKAGES[@]}" xvfb xauth xdotool x11-utils "${WINE_TEST_PACKAGES[@]}"
build debug -DDIMORO_WERROR=ON
# The Windows backend and the Qt-free libraries, cross-built and tested under Wine (label "wine").
build win32 -DDIMORO_WERROR=ON

# One private X server for the tests that need a display; the end-to-end tests start their own.
display_fd=$(mktemp)
Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp >"$display_fd" 2>/dev/null &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; rm -f "$display_fd"' EXIT
for _ in $(seq 100); do
    [ -s "$display_fd" ] && break
    sleep 0.05
done
[ -s "$display_fd" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$display_fd")"

status=0
(cd "$ROOT/build/debug" && ctest --output-on-failure -j "$(nproc)" "$@") || status=1
(cd "$ROOT/build/win32" && ctest --output-on-failure "$@") || status=1
exit "$status"
