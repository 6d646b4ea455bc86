#!/usr/bin/env bash
# On an X server without the XTEST extension the program cannot click: it says
# so (naming XTEST on its error output) and ends with a non-zero code.
# (awk programs in single quotes; helpers called without arguments)
# shellcheck source=tests/e2e/lib.sh disable=SC2016,SC2119
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"

e2e_start_xvfb -extension XTEST
e2e_prepare_run
e2e_start_program dimoro
PID=$E2E_LAST_PID

# Either the program ends by itself, or it shows a message and waits for it to
# be closed. xdotool cannot type here (it needs XTEST), so a message window is
# closed the way a window manager would: with WM_DELETE_WINDOW.
# shellcheck disable=SC2317 # called through e2e_wait_for
e2e_shown_or_ended() {
    e2e_exited "$PID" || e2e_find_visible "$PID"
}
e2e_wait_for 15 "the program to end or show a message" e2e_shown_or_ended
if e2e_running "$PID"; then
    BOX=$E2E_WINDOW
    e2e_log "message window $(e2e_hex "$BOX"), title '$(xdotool getwindowname "$BOX" 2>/dev/null)'"
    e2e_check "no toolbar is shown" \
        test -z "$(xdotool search --all --onlyvisible --pid "$PID" --name '^Dimoro Free$' 2>/dev/null | grep -vx "$BOX")"
    "$E2E_RECORDER" --close "$BOX" || e2e_fail "cannot close the message window"
fi
e2e_wait_exit "$PID" 5
e2e_check "the exit code is not 0 (it was $E2E_EXIT_CODE)" test "$E2E_EXIT_CODE" != 0
e2e_log "error output: $(tr '\n' ' ' <"$E2E_TMP/dimoro.err")"
e2e_check "the error output names XTEST" grep -qi 'XTEST' "$E2E_TMP/dimoro.err"
e2e_pass
