#!/usr/bin/env bash
# Choosing the click kind by moving over the toolbar's buttons, then resting elsewhere: each kind
# injects exactly its own button events; pause injects nothing; resting on help opens a help page.
# The middle-click button is switched on in the settings file; sounds are on, played to a null device.
# The dwell time is 20 ticks: the dwell counter keeps what it held when the pointer moved, so a short
# pass over the toolbar must not complete a dwell there (a drag's press would land on the toolbar).
# (awk programs in single quotes)
# shellcheck source=tests/e2e/lib.sh disable=SC2016
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"

# On a 768-pixel screen with the middle button shown the toolbar's client area starts at pixel
# 164 + 1 (border); button centres below it, from the designed tops and the faces' heights.
declare -A CENTRE=([pause]=61 [double]=112 [left]=163 [drag]=213 [right]=263 [middle]=313 [help]=390)
CLIENT_TOP=165

e2e_start_xvfb
e2e_start_recorder
e2e_prepare_run
printf '2\r\n20\r\n0\r\n\r\n1\r\n1\r\n' >"$E2E_RUN/Dimoro.ini"
printf 'pcm.!default { type null }\n' >"$E2E_TMP/home/.asoundrc"
e2e_stub_opener
e2e_move 600 400
e2e_start_program dimoro
PID=$E2E_LAST_PID
e2e_wait_started "$PID"
WIN=$E2E_WINDOW
# The first rest, in the mode the start-up leaves, is a left click.
e2e_wait_for 4 "the first left click" e2e_buttons_at_least 2

# select <button>: shows the toolbar from the left edge and moves over the button, then leaves it.
select_button() {
    e2e_move 0 $((CLIENT_TOP + 200))
    e2e_wait_for 2 "the toolbar to be shown" e2e_viewable "$WIN"
    # The move is seen by the toolbar at once; the next move leaves no time for a rest there.
    e2e_move 20 $((CLIENT_TOP + CENTRE[$1]))
    e2e_log "moved over the $1 button"
}

# rest_at <x> <y> <events expected> <description>: rests there and checks exactly these new events.
rest_at() {
    local before
    before=$(e2e_button_count)
    e2e_move "$1" "$2"
    local count
    count=$(grep -c . <<<"$3")
    [[ -z "$3" ]] && count=0
    if ((count > 0)); then
        e2e_wait_for 4 "$4" e2e_buttons_at_least $((before + count))
    fi
    e2e_holds_for 1 "$4, nothing more" e2e_expect_buttons "$before" "$3"
}

select_button right
rest_at 600 300 $'press 3 600 300\nrelease 3 600 300' "a right click"

select_button middle
rest_at 500 300 $'press 2 500 300\nrelease 2 500 300' "a middle click"

select_button double
first=$(e2e_button_count)
rest_at 400 300 $'press 1 400 300\nrelease 1 400 300\npress 1 400 300\nrelease 1 400 300' "a double click"
e2e_check "the double click's four events within one tick" awk -v skip="$first" '
    /^(press|release) / && ++n > skip { t[++k] = $5 }
    END { exit !(k == 4 && t[4] - t[1] < 100) }' "$E2E_REC_LOG"

select_button drag
rest_at 300 300 'press 1 300 300' "the drag's press"
rest_at 700 500 'release 1 700 500' "the drag's release at the next rest"

select_button pause
rest_at 650 350 '' "no click in pause"
e2e_holds_for 1.5 "still no click in pause" e2e_expect_buttons "$(e2e_button_count)" ""

select_button left
rest_at 550 350 $'press 1 550 350\nrelease 1 550 350' "a left click again"

e2e_log "check: resting on the help button opens a help page beside the program"
e2e_move 0 $((CLIENT_TOP + 200))
e2e_wait_for 2 "the toolbar to be shown" e2e_viewable "$WIN"
e2e_move 20 $((CLIENT_TOP + CENTRE[help]))
e2e_wait_for 4 "the opener to be called" test -s "$E2E_TMP/opened.log"
page=$(head -n 1 "$E2E_TMP/opened.log")
e2e_log "opened: $page"
e2e_check "a file address of a page in the program's folder" \
    bash -c '[[ "$1" == "file://$2/"*.html ]]' _ "$page" "$E2E_RUN"
e2e_holds_for 2 "opened once, while resting on it" test "$(grep -c . "$E2E_TMP/opened.log")" = 1
e2e_check "still running" e2e_running "$PID"
e2e_pass
