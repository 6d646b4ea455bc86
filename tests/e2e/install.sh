#!/usr/bin/env bash
# Installed like a Linux program: `cmake --install` into a prefix owned by root and run by the user nobody (as
# anyone else, the prefix is made read-only for them). The command line answers without a display; the toolbar
# starts and a rest clicks; OK in the options writes the user's ~/.config/Dimoro/Dimoro.ini and nothing in the
# prefix; the help button opens the installed help page.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"
command -v cmake >/dev/null || { echo "$E2E_NAME: SKIP (cmake is not installed)" && exit 77; }
if ((EUID == 0)); then
    command -v setpriv >/dev/null || { echo "$E2E_NAME: SKIP (setpriv is not installed)" && exit 77; }
    E2E_RUN_AS=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
chmod 755 "$E2E_TMP"

# The executable lies in <build>/bin, so the build tree is the folder above it.
BUILD=$(dirname "$(dirname "$E2E_DIMORO")")
PREFIX="$E2E_TMP/prefix"
cmake --install "$BUILD" --prefix "$PREFIX" >"$E2E_TMP/install.log" || e2e_fail "cmake --install into $PREFIX"
((EUID == 0)) || chmod -R a-w "$PREFIX"
e2e_check "the program's user may not write the prefix" "${E2E_RUN_AS[@]}" test ! -w "$PREFIX/bin"
find "$PREFIX" | sort >"$E2E_TMP/prefix-before.txt"

# The command line, with no display at all: exit_code_is <code> [arguments...].
exit_code_is() {
    local code=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${E2E_RUN_AS[@]}" "$PREFIX/bin/dimoro" "${@:2}" \
        >"$E2E_TMP/cli.out" 2>"$E2E_TMP/cli.err" || code=$?
    ((code == $1))
}
e2e_check "--version exits 0" exit_code_is 0 --version
e2e_check "and names the program" grep -qx 'Dimoro Free [0-9]*\.[0-9]*\.[0-9]*' "$E2E_TMP/cli.out"
e2e_check "--help exits 0" exit_code_is 0 --help
e2e_check "and gives the usage" grep -qx 'Usage: dimoro \[options\]' "$E2E_TMP/cli.out"
e2e_check "an unknown option exits 2" exit_code_is 2 --frobnicate
e2e_check "with one line of error, then the usage, on standard error" \
    awk 'NR == 1 && !/^dimoro: .*frobnicate/ { exit 1 } /^Usage: dimoro/ { u = 1 } END { exit !u }' "$E2E_TMP/cli.err"
e2e_check "no display exits 1" exit_code_is 1
e2e_check "with one line" test "$(wc -l <"$E2E_TMP/cli.err")" = 1

# The user's own home, temporary and runtime folders, and the opener's log, which the stub writes as the user.
: >"$E2E_TMP/opened.log"
((EUID != 0)) || chown -R 65534:65534 "$E2E_TMP/home" "$E2E_TMP/tmp" "$E2E_TMP/runtime" "$E2E_TMP/opened.log"
# shellcheck disable=SC2034 # read by e2e_start
E2E_EXE="$PREFIX/bin/dimoro"
e2e_start_resting 600 400 installed

# The sound label and OK, in the options dialog's client area.
e2e_options 385 185 "the sound label" 346 282 "OK"
e2e_wait 3 "the options dialog gone" e2e_not e2e_window "$PID" Options hidden-too
SETTINGS="$E2E_TMP/home/.config/Dimoro/Dimoro.ini"
e2e_check "the user's Dimoro.ini holds the settings, sound on" \
    test "$(od -An -c "$SETTINGS")" = "$(printf '2\r\n5\r\n0\r\nEnglish.lng\r\n1\r\n0\r\n1\r\n' | od -An -c)"
e2e_check "the folder made for it is the user's alone" test "$(stat -c %a "${SETTINGS%/*}")" = 700
find "$PREFIX" | sort >"$E2E_TMP/prefix-after.txt"
e2e_check "nothing new in the prefix" cmp -s "$E2E_TMP/prefix-before.txt" "$E2E_TMP/prefix-after.txt"

# The help button's middle on a toolbar without the middle-click button.
e2e_pick 505
e2e_wait 3 "resting on help calls the opener" test -s "$E2E_TMP/opened.log"
page=$(head -n 1 "$E2E_TMP/opened.log")
e2e_check "it opens the installed help page ($page)" \
    test "${page//%20/ }" = "file://$PREFIX/share/dimoro-free/Help Topics.html"
e2e_log PASS
