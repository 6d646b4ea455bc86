#!/usr/bin/env bash
# A left button held down by drag mode is let go on every way out a signal gives (SIGTERM, SIGINT,
# SIGHUP); when the X server itself goes, the program ends rather than hang or spin. A program killed
# with SIGKILL shows that the server itself would keep the button down.
# Yes in the exit question cannot be reached while the button is held: the window that got the press has
# X's implicit grab of the pointer, and even without it Qt drops moves with a button down that it did not
# see pressed, so the exit button cannot be chosen. TestExitQuestion checks Yes's release on the fake platform.
# (awk programs in single quotes; helpers called without arguments)
# shellcheck source=tests/e2e/lib.sh disable=SC2016,SC2119,SC2317
source "$(dirname "$0")/lib.sh"
E2E_LIMIT=${E2E_LIMIT:-80}
e2e_setup "$@"

# The drag button Image1(4) is 45 x 50 pixels at 2820 twips = 188 pixels below the toolbar's top (164).
DRAG_X=22
DRAG_Y=377

e2e_start_xvfb
XVFB=${E2E_PIDS[-1]}
e2e_start_recorder
e2e_prepare_run

e2e_presses() {
    e2e_buttons | grep -c '^press '
}

# start_holding <name> <x> <y>: starts the program, selects drag mode by moving over its button and
# rests at x,y until the left button is pressed there; leaves the pid in PID and the count of button
# events up to that press in HELD.
start_holding() {
    local name=$1 x=$2 y=$3 from presses
    e2e_move 700 600
    from=$(e2e_rec_next_line)
    e2e_start_program "$name"
    PID=$E2E_LAST_PID
    e2e_wait_started "$PID" "$from"
    e2e_move 0 "$DRAG_Y"
    e2e_wait_for 2 "the toolbar to show" e2e_viewable "$E2E_WINDOW"
    e2e_move "$DRAG_X" "$DRAG_Y"
    sleep 0.15
    # A dwell may complete on the toolbar itself before the pointer leaves it; its press then goes to the
    # toolbar, and the next rest releases it there. So rest at up to three spots until one gets a press.
    local spot
    for spot in 0 1 2; do
        presses=$(e2e_presses)
        e2e_move $((x - 40 * spot)) $((y - 30 * spot))
        if E2E_QUIET=1 e2e_wait_for_quietly 1.5 e2e_more_presses "$presses"; then
            x=$((x - 40 * spot))
            y=$((y - 30 * spot))
            break
        fi
    done
    e2e_check "a press at a resting spot" e2e_more_presses "$presses"
    HELD=$(e2e_button_count)
    e2e_check "the press was at $x,$y" test "$(e2e_buttons | tail -n 1 | awk '{ print $1, $2, $3, $4 }')" = "press 1 $x $y"
    e2e_holds_for 0.8 "drag mode holds the button (no release while resting)" e2e_expect_buttons "$HELD" ""
    HELD_AT="$x $y"
}

e2e_more_presses() {
    (($(e2e_presses) > $1))
}

# e2e_wait_for_quietly <timeout-s> <command...>: like e2e_wait_for, but false on timeout instead of failing.
e2e_wait_for_quietly() {
    local tries
    tries=$(awk -v t="$1" -v p="$E2E_POLL" 'BEGIN { printf "%d", t / p + 1 }')
    shift
    while ((tries-- > 0)); do
        "$@" && return 0
        sleep "$E2E_POLL"
    done
    return 1
}

held_buttons() {
    "$E2E_RECORDER" --held
}

for signal in TERM INT HUP; do
    e2e_log "check: SIG$signal releases the held button"
    start_holding "sig$signal" 600 300
    kill -"$signal" "$PID"
    e2e_wait_exit "$PID" 3
    e2e_check "exit code 0 after SIG$signal (it was $E2E_EXIT_CODE)" test "$E2E_EXIT_CODE" = 0
    e2e_wait_for 2 "the release" e2e_buttons_at_least $((HELD + 1))
    e2e_check "exactly one release, where the press was" e2e_expect_buttons "$HELD" "release 1 $HELD_AT"
    e2e_check "the server holds no button (held: '$(held_buttons)')" test -z "$(held_buttons)"
done

e2e_log "check: the X server going away ends the program"
start_holding xgone 600 300
kill -KILL "$XVFB"
e2e_wait_exit "$PID" 5
e2e_log "the program ended with code $E2E_EXIT_CODE"
wait "$XVFB" 2>/dev/null
e2e_forget "$XVFB"

# The releases above come from the program: the server itself lets go of nothing when a client that
# holds a button dies.
e2e_log "check: a program killed with SIGKILL leaves the button held"
e2e_start_xvfb
e2e_start_recorder
start_holding sigKILL 600 300
kill -KILL "$PID"
e2e_wait_exit "$PID" 3
e2e_check "button 1 is still held after SIGKILL" test "$(held_buttons)" = 1
e2e_pass
