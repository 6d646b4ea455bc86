#!/usr/bin/env bash
# A second copy of the same executable shows a message and ends when it is
# closed; the first copy keeps working and the settings file is left alone.
# (awk programs in single quotes; helpers called without arguments)
# shellcheck source=tests/e2e/lib.sh disable=SC2016,SC2119
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"

e2e_start_xvfb
e2e_start_recorder
e2e_prepare_run

# A settings file with the default timing; the second copy must not touch it.
INI="$E2E_RUN/Dimoro.ini"
printf '2\r\n5\r\n0\r\n\r\n0\r\n0\r\n' >"$INI"
touch -d '2001-01-01 00:00:00' "$INI"

# The pointer rests far from the middle of the screen, where the message shows.
e2e_move 900 650
e2e_start_program first
FIRST=$E2E_LAST_PID
e2e_wait_started "$FIRST"
e2e_wait_for 3 "the first copy's click at 900,650" e2e_buttons_at_least 2
e2e_check "the first copy clicked once at 900,650" e2e_expect_buttons 0 $'press 1 900 650\nrelease 1 900 650'

INI_BEFORE=$(stat -c '%s %y' "$INI")$(sha256sum <"$INI")

e2e_log "check: a second copy shows a message window"
e2e_start_program second
SECOND=$E2E_LAST_PID
e2e_wait_for 15 "a window of the second copy" e2e_find_visible "$SECOND"
BOX=$E2E_WINDOW
e2e_log "message window $(e2e_hex "$BOX"): $(e2e_window_info "$BOX"), title '$(xdotool getwindowname "$BOX" 2>/dev/null)'"
e2e_check "the second copy shows no toolbar" \
    test -z "$(xdotool search --all --onlyvisible --pid "$SECOND" --name '^Dimoro Free$' 2>/dev/null | grep -vx "$BOX")"
e2e_holds_for 1.5 "the second copy waits for the message to be closed" e2e_running "$SECOND"
e2e_check "the first copy is still running" e2e_running "$FIRST"

e2e_log "check: Return on the message ends the second copy with code 0"
xdotool windowfocus --sync "$BOX" || e2e_fail "cannot focus the message window"
xdotool key --clearmodifiers Return || e2e_fail "xdotool key failed"
e2e_wait_exit "$SECOND" 5
e2e_check "the second copy's exit code is 0 (it was $E2E_EXIT_CODE)" test "$E2E_EXIT_CODE" = 0

e2e_check "the settings file is unchanged" \
    test "$(stat -c '%s %y' "$INI")$(sha256sum <"$INI")" = "$INI_BEFORE"
e2e_check "the first copy is still running" e2e_running "$FIRST"
# The refused copy never clicks: the pointer rested all along, so no event may follow the first click.
e2e_check "no click while the second copy ran" e2e_expect_buttons 2 ""
COUNT=$(e2e_button_count)

e2e_log "check: the first copy still clicks on a new rest"
e2e_move 800 600
e2e_wait_for 3 "a click at 800,600" e2e_buttons_at_least $((COUNT + 2))
e2e_holds_for 1.0 "one click only at 800,600" e2e_expect_buttons "$COUNT" $'press 1 800 600\nrelease 1 800 600'

e2e_pass
