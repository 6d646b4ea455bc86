#!/usr/bin/env bash
# The options dialog worked by dwell clicks alone. Rest on the options button: the dialog opens. Rest on
# the dwell time's down arrow four times, on the sound label, then on OK: Dimoro.ini holds the new six
# lines, the autostart entry is written over a stale one, the dialog is gone and the next rest needs the
# new dwell time. A second visit clears start at logon and shows the middle-click button: the entry is
# removed and the toolbar grows by the button's height. The program lives in a folder with a blank.
# (awk programs in single quotes)
# shellcheck source=tests/e2e/lib.sh disable=SC2016
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"

# Client area top of the toolbar on a 768-pixel screen; the options button's middle, without the
# middle-click button, lies 305 pixels below it (both before and after OK re-lays the buttons).
CLIENT_TOP=165
OPTIONS_Y=$((CLIENT_TOP + 305))
# Places inside the dialog's client area, in pixels (twips / 15): the dwell time's down arrow (two
# spots, far enough apart to count as two rests), the labels beside the check boxes, and OK.
ARROW_Y=151
ARROW_X1=446
ARROW_X2=453
SOUND_LABEL=(385 185)
LOGON_LABEL=(60 185)
MIDDLE_LABEL=(60 205)
OK_BUTTON=(346 282)

e2e_start_xvfb
e2e_start_recorder
e2e_prepare_run
mv "$E2E_RUN" "$E2E_TMP/my run" || e2e_fail "cannot rename the program's folder"
E2E_RUN="$E2E_TMP/my run"
E2E_EXE="$E2E_RUN/$(basename "$E2E_EXE")"
printf '2\r\n5\r\n1\r\n\r\n0\r\n0\r\n' >"$E2E_RUN/Dimoro.ini"
printf 'pcm.!default { type null }\n' >"$E2E_TMP/home/.asoundrc"
ENTRY="$E2E_TMP/home/.config/autostart/Dimoro.desktop"
mkdir -p "$(dirname "$ENTRY")"
printf '[Desktop Entry]\nType=Application\nExec=/opt/old/dimoro\n' >"$ENTRY"

e2e_move 600 400
e2e_start_program dimoro
PID=$E2E_LAST_PID
e2e_wait_started "$PID"
WIN=$E2E_WINDOW
e2e_wait_for 4 "the first left click" e2e_buttons_at_least 2

DIALOG=""
find_dialog() {
    DIALOG=$(xdotool search --all --onlyvisible --pid "$PID" --name '^Options$' 2>/dev/null | head -n 1)
    [[ -n "$DIALOG" ]]
}
dialog_gone() {
    ! xdotool search --all --pid "$PID" --name '^Options$' >/dev/null 2>&1
}

# Shows the toolbar from the left edge beside the options button, moves onto the button and rests
# there until the dialog opens; leaves the dialog's client origin in DX, DY.
open_options() {
    e2e_move 0 "$OPTIONS_Y"
    e2e_wait_for 2 "the toolbar to be shown" e2e_viewable "$WIN"
    e2e_move 20 "$OPTIONS_Y"
    e2e_wait_for 5 "the options dialog, after resting on its button" find_dialog
    read -r _ DX DY _ _ < <(e2e_window_info "$DIALOG")
    e2e_log "dialog at $DX,$DY"
}

# rest_on <x> <y> <description>: rests at that place of the dialog for longer than a dwell takes.
# The dialog's own window takes these clicks, so the recorder cannot see them: the settings file and
# the autostart entry written at the end show that every one of them landed.
REST_SECONDS=1.2
rest_on() {
    e2e_move $((DX + $1)) $((DY + $2))
    sleep "$REST_SECONDS"
    e2e_log "rested on $3"
}

# Wall-clock milliseconds, as the recorder prints them last on each line.
now_ms() {
    awk -v t="$EPOCHREALTIME" 'BEGIN { printf "%.1f", t * 1000 }'
}

last_release_ms() {
    e2e_buttons | awk '$1 == "release" { t = $6 } END { print t }'
}

ini_is() {
    local expected=$1
    [[ "$(od -An -c "$E2E_RUN/Dimoro.ini")" == "$(printf '%b' "$expected" | od -An -c)" ]]
}

# Shows the toolbar from the left edge beside its background (nothing happens there) and checks its
# height in pixels: the server learns the size of a hidden window only when it is shown again.
toolbar_height_is() {
    e2e_move 0 $((CLIENT_TOP + 10))
    e2e_wait_for 2 "the toolbar to be shown" e2e_viewable "$WIN"
    local height
    height=$(e2e_window_info "$WIN" | awk '{ print $5 }')
    e2e_log "toolbar height $height"
    [[ "$height" == "$1" ]]
}

e2e_log "first visit: dwell time 5 -> 9, sound on"
open_options
rest_on $ARROW_X1 $ARROW_Y "down arrow, 6"
rest_on $ARROW_X2 $ARROW_Y "down arrow, 7"
rest_on $ARROW_X1 $ARROW_Y "down arrow, 8"
rest_on $ARROW_X2 $ARROW_Y "down arrow, 9"
rest_on "${SOUND_LABEL[@]}" "the sound label"
e2e_move $((DX + OK_BUTTON[0])) $((DY + OK_BUTTON[1]))
e2e_wait_for 2 "the dialog to be gone after resting on OK" dialog_gone
ok_ms=$(now_ms) # a little after the click on OK
e2e_move 600 300
e2e_wait_for 4 "the first click after OK" e2e_buttons_at_least $(($(e2e_button_count) + 2))
next_ms=$(last_release_ms)
e2e_log "from OK to the next click: $(awk -v a="$ok_ms" -v b="$next_ms" 'BEGIN { print b - a }') ms"
# OK sets the dwell counter to 0; the click then needs 9 resting ticks and the tick that saw the move
# (1 s), where the old dwell time would have clicked after at most 0.6 s.
e2e_check "the next rest needs 9 ticks" awk -v a="$ok_ms" -v b="$next_ms" 'BEGIN { exit !(b - a >= 800) }'
e2e_check "Dimoro.ini holds the new six lines" ini_is '2\r\n9\r\n1\r\nEnglish.lng\r\n1\r\n0\r\n'
e2e_check "the autostart entry starts this program" grep -qxF "Exec=\"$E2E_EXE\"" "$ENTRY"
e2e_check "the autostart entry is written whole" grep -qx 'Type=Application' "$ENTRY"
# Start-up lays the buttons out with the designed height of the middle button, OK with its face's.
e2e_check "the toolbar re-laid without the middle button (5415 twips)" toolbar_height_is 361

e2e_log "second visit: start at logon off, middle-click button on"
REST_SECONDS=1.6
open_options
rest_on "${LOGON_LABEL[@]}" "the start-at-logon label"
rest_on "${MIDDLE_LABEL[@]}" "the middle-click label"
e2e_move $((DX + OK_BUTTON[0])) $((DY + OK_BUTTON[1]))
e2e_wait_for 3 "the dialog to be gone after resting on OK" dialog_gone
e2e_check "Dimoro.ini holds the new six lines" ini_is '2\r\n9\r\n0\r\nEnglish.lng\r\n1\r\n1\r\n'
e2e_check "the autostart entry is removed" test ! -e "$ENTRY"
e2e_check "the toolbar grows by the middle button (6165 twips)" toolbar_height_is 411
e2e_check "still running" e2e_running "$PID"
e2e_pass
