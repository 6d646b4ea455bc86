#!/usr/bin/env bash
# The about box, the translation page and leaving, by dwell clicks alone. In the options dialog a rest on the
# "i" puts the about box in its place, and a rest on the box's title brings the dialog back; a rest on "Add a
# language..." writes the translation page beside the program, from its language files, and hands it to the
# desktop's opener. A rest on the exit button asks whether to leave: No closes the question and the program goes
# on clicking once a click kind is picked; Yes ends it with code 0, its click taken by the question, not by the window behind.
# A ring at the pointer fills while the exit button's press counts.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"
PAGE="$E2E_RUN/Invia_Traduzione.html"

e2e_start_resting 600 400 dimoro

e2e_options 449 38 "the i"
e2e_wait 3 "the about box" e2e_window "$PID" 'About Dimoro Free'
ABOUT=$E2E_WINDOW
e2e_wait -h 0.8 "the about box stays while the pointer rests on" e2e_is "$ABOUT" IsViewable
read -r _ x y _ _ < <(e2e_geometry "$ABOUT")
e2e_dwell $((x + 172)) $((y + 34)) "the about box's title"
e2e_wait 3 "the options dialog back" e2e_window "$PID" Options
e2e_dwell $((DX + 319)) $((DY + 38)) "Add a language..."
e2e_wait 3 "the translation page handed to the opener" test -s "$E2E_TMP/opened.log"
e2e_wait 2 "the options dialog hidden" e2e_not e2e_window "$PID" Options
e2e_check "the page's file address" test "$(sed 's/%20/ /g' "$E2E_TMP/opened.log")" = "file://$PAGE"

ask() {
    e2e_pick 181 # the exit button
    sleep 0.8    # the hover press's ring, sky blue, is past its first eighth
    e2e_check "the press's ring filling: $("$E2E_RECORDER" --ring 20 181)" grep -q '^ 56b4e9 ' <("$E2E_RECORDER" --ring 20 181)
    e2e_wait 3 "the exit question, after a rest on the exit button" e2e_window "$PID" Exit
}
ask
e2e_dwell 366 347 No
e2e_wait 2 "No closes the question" e2e_not e2e_window "$PID" Exit
e2e_mode 328 600 300 "click 1 600 300" # left click: the mode is the exit button's again
ask
e2e_move 250 347 # Yes
e2e_ended "$PID" 3
e2e_check "Yes ends the program with code 0 (it was $E2E_CODE)" test "$E2E_CODE" = 0
e2e_events 0.3
e2e_log PASS
