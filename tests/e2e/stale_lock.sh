#!/usr/bin/env bash
# A copy killed with SIGKILL leaves its single-copy lock behind; the next start must take it over and
# run and click, not refuse as if a copy were still running.
# shellcheck source=tests/e2e/lib.sh disable=SC2016,SC2119
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"

e2e_start_resting 600 400
e2e_wait_for 3 "the first copy's click at 600,400" e2e_buttons_at_least 2

e2e_log "check: SIGKILL leaves the lock file behind"
kill -KILL "$PID"
e2e_wait_exit "$PID" 3
LOCKS=$(find "$E2E_TMP/tmp" -name 'dimoro-*.lock')
e2e_check "a stale lock file is left ($LOCKS)" test -n "$LOCKS"

e2e_log "check: the next start runs past the stale lock"
e2e_move 300 250
FROM=$(e2e_rec_next_line)
e2e_start_program second
SECOND=$E2E_LAST_PID
e2e_wait_started "$SECOND" "$FROM"
e2e_check "the second start shows no message window" \
    test -z "$(xdotool search --all --onlyvisible --pid "$SECOND" '' 2>/dev/null)"
e2e_wait_for 3 "a click at 300,250" e2e_buttons_at_least 4
e2e_holds_for 1.0 "exactly one click at 300,250" e2e_expect_buttons 2 $'press 1 300 250\nrelease 1 300 250'
e2e_check "the lock is held again" test -n "$(find "$E2E_TMP/tmp" -name 'dimoro-*.lock')"
e2e_check "the second start is still running" e2e_running "$SECOND"
e2e_pass
