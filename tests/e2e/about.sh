#!/usr/bin/env bash
# The about box and the translation page, worked by dwell clicks alone. Rest on the options button, then on
# the "i": the about box takes the options dialog's place. Rest on its title: the box closes and the options
# dialog comes back. Rest on "Add a language...": the translation page is written beside the program and
# handed to the desktop's opener (a stub here), and the options dialog hides. Back in the options, rest on
# "Language..." and name Italiano.lng in the file dialog: the dialog's caption turns Italian at once.
# The program lives in a folder with a blank.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"

# The options button's middle on a 768-pixel screen, without the middle-click button.
OPTIONS_Y=$((165 + 305))
# Places inside the client areas, in pixels (twips / 15): the options dialog's "i" and translation link,
# the about box's title, the language link.
INFO=(449 38)
ADD_LANGUAGE=(319 38)
LANGUAGE=(198 38)
ABOUT_TITLE=(172 34)
REST_SECONDS=1.2

e2e_start_xvfb
e2e_start_recorder
e2e_prepare_run
mv "$E2E_RUN" "$E2E_TMP/my run" || e2e_fail "cannot rename the program's folder"
E2E_RUN="$E2E_TMP/my run"
E2E_EXE="$E2E_RUN/$(basename "$E2E_EXE")"
PAGE="$E2E_RUN/Invia_Traduzione.html"
e2e_stub_opener

e2e_move 600 400
e2e_start_program dimoro
PID=$E2E_LAST_PID
e2e_wait_started "$PID"
WIN=$E2E_WINDOW

# find_window <name>: true once the program shows a window of that name; its id is left in FOUND.
FOUND=""
find_window() {
    FOUND=$(xdotool search --all --onlyvisible --pid "$PID" --name "^$1\$" 2>/dev/null | head -n 1)
    [[ -n "$FOUND" ]]
}
not_shown() {
    ! find_window "$1"
}
window_gone() {
    ! xdotool search --all --pid "$PID" --name "^$1\$" >/dev/null 2>&1
}

# rest_in <window id> <x> <y> <description>: moves to that place of the window's client area and rests.
rest_in() {
    local x y
    read -r _ x y _ _ < <(e2e_window_info "$1")
    e2e_move $((x + $2)) $((y + $3))
    sleep "$REST_SECONDS"
    e2e_log "rested on $4"
}

e2e_log "the options dialog, by resting on its button"
e2e_move 0 "$OPTIONS_Y"
e2e_wait_for 2 "the toolbar to be shown" e2e_viewable "$WIN"
e2e_move 20 "$OPTIONS_Y"
e2e_wait_for 5 "the options dialog" find_window Options
OPTIONS=$FOUND

e2e_log "the about box, by resting on the i"
rest_in "$OPTIONS" "${INFO[@]}" "the i"
e2e_wait_for 3 "the about box" find_window 'About Dimoro Free'
ABOUT=$FOUND
e2e_check "the options dialog is hidden meanwhile" not_shown Options
e2e_holds_for 1 "the about box stays while the pointer rests where the i was" e2e_viewable "$ABOUT"

e2e_log "closing the about box by resting on its title"
rest_in "$ABOUT" "${ABOUT_TITLE[@]}" "the about box's title"
e2e_wait_for 3 "the about box to be gone" window_gone 'About Dimoro Free'
e2e_wait_for 3 "the options dialog back" find_window Options

e2e_log "the translation page, by resting on its link"
rest_in "$OPTIONS" "${ADD_LANGUAGE[@]}" "Add a language..."
e2e_wait_for 3 "the opener to be called" test -s "$E2E_TMP/opened.log"
e2e_wait_for 2 "the options dialog hidden" not_shown Options
e2e_check "the options dialog is hidden, not closed" xdotool search --all --pid "$PID" --name '^Options$'
opened=$(head -n 1 "$E2E_TMP/opened.log")
e2e_log "opened: $opened"
e2e_check "the page's file address" test "${opened//%20/ }" = "file://$PAGE"
e2e_check "188 lines, each ended by CR LF" \
    test "$(grep -c $'\r$' "$PAGE")" = 188 -a "$(wc -l <"$PAGE")" = 188
e2e_check "the form's first line" \
    test "$(head -n 1 "$PAGE")" = $'<HTML><HEAD><TITLE>Traduzione programma DIMORO FREE</TITLE></HEAD><BODY>\r'
e2e_check "English text 2 in its row" grep -qx $'<TD>Help Topics</TD>\r' "$PAGE"
e2e_check "the column titles in Windows-1252" \
    env LC_ALL=C grep -q $'<CENTER>Espa\xf1ol</CENTER>' "$PAGE"
e2e_check "25 inputs, named 0 to 24" \
    test "$(grep -o 'name="Traduzione[0-9]*"' "$PAGE" | tr '\n' ' ')" = \
    "$(for i in $(seq 0 24); do printf 'name="Traduzione%d" ' "$i"; done)"

e2e_log "the language chooser, by resting on its link; the file is named from the keyboard"
e2e_move 0 "$OPTIONS_Y"
e2e_wait_for 2 "the toolbar to be shown" e2e_viewable "$WIN"
e2e_move 20 "$OPTIONS_Y"
e2e_wait_for 5 "the options dialog again" find_window Options
rest_in "$FOUND" "${LANGUAGE[@]}" "Language..."
e2e_wait_for 3 "the file dialog" find_window 'Language\.\.\.'
xdotool type --delay 20 "Italiano.lng" && xdotool key Return || e2e_fail "xdotool could not type"
e2e_wait_for 3 "the options dialog in Italian" find_window Opzioni
e2e_check "the file dialog is gone" window_gone 'Language\.\.\.'
e2e_check "nothing saved before OK" test ! -e "$E2E_RUN/Dimoro.ini"
e2e_check "still running" e2e_running "$PID"
e2e_pass
