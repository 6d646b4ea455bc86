#!/usr/bin/env bash
# Leaving the program by dwelling: a rest on the exit button asks; a rest on No closes the question
# and the program goes on clicking; a rest on Yes ends it with code 0, letting go first of a left
# button that drag mode holds. The pointer is only ever moved.
# The dwell time is 20 ticks, longer than the 15 of a press on the exit button, so passing over the
# toolbar never completes a dwell there.
# (functions called through e2e_wait_for and e2e_check)
# shellcheck source=tests/e2e/lib.sh disable=SC2119,SC2317
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"

CLIENT_TOP=165
EXIT_BUTTON=(32 $((CLIENT_TOP + 16)))
# The question's client area at 2760, 3750 twips; its buttons' centres in it.
QUESTION=(184 250)
YES=($((QUESTION[0] + 20 + 46)) $((QUESTION[1] + 80 + 17)))
NO=($((QUESTION[0] + 136 + 46)) $((QUESTION[1] + 80 + 17)))
declare -A CENTRE=([left]=163 [drag]=213)

e2e_start_xvfb
e2e_start_recorder
e2e_prepare_run
printf '2\r\n20\r\n0\r\n\r\n0\r\n0\r\n' >"$E2E_RUN/Dimoro.ini"
e2e_move 600 400
e2e_start_program dimoro
PID=$E2E_LAST_PID
e2e_wait_started "$PID"
WIN=$E2E_WINDOW

show_toolbar() {
    e2e_move 0 $((CLIENT_TOP + 200))
    e2e_wait_for 2 "the toolbar to be shown" e2e_viewable "$WIN"
}

select_button() {
    show_toolbar
    e2e_move 20 $((CLIENT_TOP + CENTRE[$1]))
    e2e_log "moved over the $1 button"
}

# The question's window once it is on the screen; its id is left in QUESTION_WIN.
question_shown() {
    local ids
    ids=$(xdotool search --all --onlyvisible --pid "$PID" --name '^Exit$' 2>/dev/null) || return 1
    QUESTION_WIN=$(head -n 1 <<<"$ids")
    [[ -n "$QUESTION_WIN" ]]
}

question_gone() {
    ! xdotool search --all --onlyvisible --pid "$PID" --name '^Exit$' >/dev/null 2>&1
}

question_at_place() {
    [[ "$(e2e_window_info "$QUESTION_WIN")" == "IsViewable ${QUESTION[0]} ${QUESTION[1]} "* ]]
}

ask() {
    show_toolbar
    e2e_move "${EXIT_BUTTON[@]}"
    e2e_wait_for 3 "the question after 15 ticks on the exit button" question_shown
    e2e_check "the question at its place" question_at_place
}

e2e_log "check: No closes the question and the program goes on"
ask
before=$(e2e_button_count)
e2e_move "${NO[@]}"
e2e_wait_for 4 "the question to close after a rest on No" question_gone
e2e_check "still running" e2e_running "$PID"
select_button left
e2e_move 600 300
e2e_wait_for 4 "a left click after the question" e2e_buttons_at_least $((before + 2))
e2e_check "exactly a left click there" e2e_expect_buttons "$before" $'press 1 600 300\nrelease 1 600 300'

e2e_log "check: Yes ends the program, with no button left down"
select_button drag
e2e_move 500 300
e2e_wait_for 4 "the drag's press" e2e_buttons_at_least $((before + 3))
# While the button is down the window that got the press holds X's implicit pointer grab: the
# toolbar sees no moves, so the drag is ended by a rest first, as a user would.
e2e_move 450 320
e2e_wait_for 4 "the drag's release" e2e_buttons_at_least $((before + 4))
e2e_check "the drag's press and release" e2e_expect_buttons $((before + 2)) $'press 1 500 300\nrelease 1 450 320'
ask
e2e_move "${YES[@]}"
rested=$EPOCHREALTIME
# Opening the question set the dwell counter to 0: the dwell on Yes ends about 2 s after the move.
e2e_wait_exit "$PID" 3.5
e2e_log "ended $(awk -v a="$rested" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.2f", b - a }')s after the move to Yes, code $E2E_EXIT_CODE"
e2e_check "exit code 0" test "$E2E_EXIT_CODE" = 0
e2e_check "the click on Yes went to the question, not the window behind" e2e_expect_buttons $((before + 4)) ""
e2e_pass
