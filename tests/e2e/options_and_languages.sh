#!/usr/bin/env bash
# Options and languages. With no language named in Dimoro.ini the locale picks one: Portuguese, which has no
# file of its own, gives English texts, Italian gives Italian ones (read through the program's text report). The
# options dialog, opened by resting on its button and worked by dwell clicks alone: four clicks on the dwell
# time's down arrow and one on the sound label, then OK, write Dimoro.ini and the autostart entry (over a stale
# one), and the next rest takes the new dwell time. A second visit clears start at logon, shows the
# middle-click button and names Italiano.lng in the language file dialog: the dialog turns Italian at once and
# nothing is saved before OK; then the entry goes and the toolbar grows by the button. A screen reader, on
# through the accessibility bus's status as a desktop switches it on, reads the toolbar's buttons (the click kind
# chosen by a move over it checked) and the dialog's controls, with their names in both languages.
# shellcheck source=tests/e2e/lib.sh disable=SC2034 # E2E_LANG is read by e2e_start
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"
printf '2\r\n5\r\n1\r\n\r\n0\r\n0\r\n' >"$E2E_RUN/Dimoro.ini"
ENTRY="$E2E_TMP/home/.config/autostart/Dimoro.desktop"
mkdir -p "${ENTRY%/*}"
printf '[Desktop Entry]\nType=Application\nExec=/opt/old/dimoro\n' >"$ENTRY"
ini_is() { cmp -s "$E2E_RUN/Dimoro.ini" <(printf '%b' "$1"); }

# A session bus of our own with the accessibility bus's launcher on it, and the screen reader switched on before
# the program starts: Qt reads that switch once.
dbus-daemon --session --nofork --print-address=3 3>"$E2E_TMP/bus" 2>>"$E2E_TMP/dbus.err" &
E2E_PIDS+=("$!")
e2e_wait 5 "a session bus" test -s "$E2E_TMP/bus"
E2E_ENV=("DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$E2E_TMP/bus")" "XDG_RUNTIME_DIR=$E2E_TMP/runtime")
env "${E2E_ENV[@]}" GSETTINGS_BACKEND=memory /usr/libexec/at-spi-bus-launcher 2>>"$E2E_TMP/dbus.err" &
E2E_PIDS+=("$!")
e2e_wait 5 "the screen reader on" env "${E2E_ENV[@]}" dbus-send --session --print-reply --dest=org.a11y.Bus \
    /org/a11y/bus org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:ScreenReaderEnabled variant:boolean:true
# a11y_has <window title> <line>...: the window, as atspi_tree.py prints it in $E2E_TMP/atspi.log, has these lines.
a11y_has() {
    env "${E2E_ENV[@]}" /usr/bin/python3 "${0%/*}/atspi_tree.py" "$PID" "$1" >"$E2E_TMP/atspi.log" 2>&1 &&
        for line in "${@:2}"; do grep -qxF "$line" "$E2E_TMP/atspi.log" || return 1; done
}

E2E_LANG=pt_BR.UTF-8
e2e_move 600 400
e2e_start first
FIRST=$PID
E2E_LANG=it_IT.UTF-8 e2e_start --no-wait second
e2e_wait 15 "the second copy's message" e2e_window "$PID" 'Dimoro Free'
e2e_check "it_IT: the message in Italian" \
    test "$(e2e_reported second 'message text')" = 'Dimoro Free è già in esecuzione.'
xdotool windowfocus --sync "$E2E_WINDOW" key --clearmodifiers Return || e2e_fail "cannot press Return on the message"
e2e_ended "$PID" 5
PID=$FIRST
e2e_events 3 "click 1 600 400"
e2e_mode 428 600 350 "click 3 600 350"
e2e_wait 5 "the toolbar read aloud, right click chosen" a11y_has 'Dimoro Free' 'push button|Exit|' \
    'radio button|Pause (no clicks)|' 'radio button|Left click|' 'radio button|Right click|checked' \
    'push button|Options...|' 'push button|Help Topics|'

# Places in the dialog's client area, in pixels (designed twips / 15); two spots of the down arrow far enough
# apart to be two rests.
e2e_options 446 151 "the dwell time's down arrow" 453 151 "the dwell time's down arrow" \
    446 151 "the dwell time's down arrow" 453 151 "the dwell time's down arrow" 385 185 "the sound label"
e2e_wait 2 "the options read aloud" a11y_has Options 'scroll bar|Tolerance (0 - 10)||2' \
    'scroll bar|Dwell time in tenths of a second (2 - 20)||9' 'check box|Start at logon|checked' \
    'check box|Sound|checked' 'check box|Middle click button|' 'push button|Ok|' 'push button|Cancel|' \
    'link|Language...|' 'push button|About Dimoro Free...|' 'link|Support Dimoro Free with a donation|' \
    'check box|Show the dwell progress|checked' 'label|Show the dwell progress|'
e2e_dwell $((DX + 346)) $((DY + 282)) OK
e2e_wait 2 "OK closes the dialog" e2e_not e2e_window "$PID" Options
e2e_move 600 300
e2e_events 3 "click 1 600 300"
# OK starts the dwell count afresh: 9 resting ticks and the one that saw the move, where 5 gave 600 ms.
e2e_check "the next click comes 1 s after OK" e2e_gap 800
e2e_check "Dimoro.ini holds the new settings" ini_is '2\r\n9\r\n1\r\nEnglish.lng\r\n1\r\n0\r\n1\r\n'
e2e_check "the autostart entry starts this program" grep -qxF "Exec=\"$E2E_EXE\"" "$ENTRY"
# The start lays the buttons out with the designed height of the hidden middle-click button, OK with its face's.

e2e_options 60 185 "the start-at-logon label" 60 205 "the middle-click label" 198 38 "Language..."
e2e_wait 3 "the language file dialog" e2e_window "$PID" 'Language\.\.\.'
{ xdotool windowfocus --sync "$E2E_WINDOW" type --delay 20 Italiano.lng && xdotool key Return; } ||
    e2e_fail "xdotool cannot type"
e2e_wait 3 "the options dialog in Italian at once" e2e_window "$PID" Opzioni
e2e_check "nothing saved before OK" ini_is '2\r\n9\r\n1\r\nEnglish.lng\r\n1\r\n0\r\n1\r\n'
e2e_wait 2 "the options read aloud in Italian" a11y_has Opzioni 'check box|Esecuzione all'"'"'avvio|' \
    'check box|Suono|checked' 'check box|Clic centrale|checked' 'scroll bar|Tolleranza (0 - 10)||2' \
    'push button|Annulla|' 'link|Controlla se ci sono aggiornamenti...|' 'check box|Mostra l'"'"'attesa del clic|checked'
e2e_dwell $((DX + 346)) $((DY + 282)) OK
e2e_wait 2 "OK closes the dialog" e2e_not e2e_window "$PID" Opzioni
e2e_check "Dimoro.ini holds the new settings" ini_is '2\r\n9\r\n0\r\nItaliano.lng\r\n1\r\n1\r\n1\r\n'
e2e_check "the autostart entry is removed" test ! -e "$ENTRY"
e2e_move 0 175
e2e_wait 2 "the toolbar grown by the middle-click button" e2e_is "$TOOLBAR" IsViewable 0 164 45 411
e2e_check "the toolbar read aloud in Italian" a11y_has 'Dimoro Free' 'push button|Esci|' \
    'radio button|Clic sinistro|checked' 'radio button|Clic centrale|' 'push button|Opzioni...|'
e2e_log PASS
