#!/usr/bin/env bash
# A resting pointer gets exactly one left click where it rests; moves within the
# tolerance keep the rest going; a move of tolerance + 2 pixels starts a new one.
# With no settings file the tolerance is 2 pixels and the dwell time 5 ticks.
# (awk programs in single quotes; helpers called without arguments)
# shellcheck source=tests/e2e/lib.sh disable=SC2016,SC2119
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"

# The first spot is taken before the program starts: the pointer rests there
# through the start-up, so the first rest after the slide-out is there.
e2e_start_resting 600 400
e2e_check "no button event before the dwell tick starts" e2e_expect_buttons 0 ""

e2e_log "check: one left click at the first resting spot"
e2e_wait_for 3 "a press and a release at 600,400" e2e_buttons_at_least 2
e2e_check "exactly press 1 + release 1 at 600,400" e2e_expect_buttons 0 $'press 1 600 400\nrelease 1 600 400'

e2e_log "check: a long rest gives no further click"
e2e_holds_for 1.5 "no more button events while resting" e2e_expect_buttons 2 ""

e2e_log "check: a rest at a second spot gives one more click there"
e2e_move 300 250
e2e_wait_for 3 "a click at 300,250" e2e_buttons_at_least 4
e2e_holds_for 1.5 "nothing more while resting at 300,250" e2e_expect_buttons 2 $'press 1 300 250\nrelease 1 300 250'

e2e_log "check: moves of 1 and 3 pixels (below tolerance + 2) are still a rest"
e2e_move 301 250
e2e_holds_for 1.0 "no click after a 1 px move" e2e_expect_buttons 4 ""
e2e_move 301 253
e2e_holds_for 1.0 "no click after a 3 px move" e2e_expect_buttons 4 ""
e2e_move 298 253
e2e_holds_for 1.0 "no click after a 3 px move back" e2e_expect_buttons 4 ""

e2e_log "check: a move of exactly tolerance + 2 = 4 pixels ends the rest; the next rest clicks"
e2e_move 302 253
e2e_wait_for 3 "a click at 302,253" e2e_buttons_at_least 6
e2e_holds_for 1.5 "one click only at 302,253" e2e_expect_buttons 4 $'press 1 302 253\nrelease 1 302 253'

e2e_log "check: every press came before its release, at the same server time or later"
e2e_check "press/release order and times" awk '
    $1 == "press" { if (down) exit 1; down = 1; t = $5 }
    $1 == "release" { if (!down || $5 < t) exit 1; down = 0 }
    END { exit down }' "$E2E_REC_LOG"

e2e_check "the program is still running" e2e_running "$PID"

e2e_log "check: SIGTERM ends the program at once, with code 0 and its lock released"
kill -TERM "$PID"
e2e_wait_exit "$PID" 3
e2e_check "exit code 0 after SIGTERM (it was $E2E_EXIT_CODE)" test "$E2E_EXIT_CODE" = 0
e2e_check "no single-copy lock left behind" test -z "$(find "$E2E_TMP/tmp" -name 'dimoro-*.lock')"
e2e_pass
