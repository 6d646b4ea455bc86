#!/usr/bin/env bash
# Installs what is missing, builds and runs every test. Starts its own X server, so no display is needed.
#
# Four builds: debug (every test, end to end included), asan (the unit and widget tests under AddressSanitizer
# and UBSan), fuzz (each file reader fuzzed for DIMORO_FUZZ_SECONDS, 60 by default) and win32 (the Windows
# backend cross-built and tested under Wine). Extra arguments go to ctest of the debug build alone, e.g.
# `scripts/test.sh -L e2e`, and then the other three builds are skipped.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${WINE_TEST_PACKAGES[@]}"
build debug -DDIMORO_WERROR=ON
if (($# == 0)); then
    # The sanitized tree needs only the test executables, not the program and the benches.
    cmake -S "$ROOT" --preset asan -DDIMORO_WERROR=ON >/dev/null
    cmake --build "$ROOT/build/asan" -j "$(nproc)" --target unit_tests
    cmake -S "$ROOT" --preset fuzz -DDIMORO_WERROR=ON -DDIMORO_FUZZ_SECONDS="${DIMORO_FUZZ_SECONDS:-60}" >/dev/null
    cmake --build "$ROOT/build/fuzz" -j "$(nproc)"
    # The Windows backend and the Qt-free libraries, cross-built and tested under Wine (label "wine").
    build win32 -DDIMORO_WERROR=ON
fi

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

if (($# > 0)); then
    cd "$ROOT/build/debug"
    exec ctest --output-on-failure -j "$(nproc)" "$@"
fi

# The fuzz targets use one core each for a fixed time; they run beside the other tests rather than after them.
(cd "$ROOT/build/fuzz" && ctest --output-on-failure -L fuzz) >"$ROOT/build/fuzz/ctest.log" 2>&1 &
fuzz_pid=$!
status=0
(cd "$ROOT/build/debug" && ctest --output-on-failure -j "$(nproc)") || status=1
# End-to-end tests run in the debug build only: they time the real program's start-up and clicks, which
# the sanitizers slow down several times, and they exercise no code the unit and widget tests do not.
(cd "$ROOT/build/asan" && ctest --output-on-failure -j "$(nproc)" -L 'unit|widget') || status=1
(cd "$ROOT/build/win32" && ctest --output-on-failure) || status=1
wait "$fuzz_pid" || status=1
cat "$ROOT/build/fuzz/ctest.log"
exit "$status"
