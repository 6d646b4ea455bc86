#!/usr/bin/env bash
# Faults and ways out. With damaged or missing files beside it, no sound device, or a folder it may not write,
# the program still starts, clicks, and takes the next rest after a sound (a pick's or a click's) as well:
#   - a language file named in Dimoro.ini that is a folder or unreadable: English texts; no Lang folder: none
#   - no Click folder, a click sound that is a folder or unreadable, no sound card for ALSA's default device
#   - Dimoro.ini a folder: read as no file and left so
#   - a program folder the user may not write: OK still closes the options and the new dwell time acts,
#     while Dimoro.ini keeps its bytes
# SIGINT, SIGHUP and SIGTERM end it with code 0, letting go first of the button drag mode holds and removing
# the single-copy lock; the X server going away ends it too.
# Root reads and writes whatever the file modes say, so as root the program runs as the user nobody.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"
if ((EUID == 0)); then
    command -v setpriv >/dev/null || { echo "$E2E_NAME: SKIP (setpriv is not installed)" && exit 77; }
    E2E_RUN_AS=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    chmod 755 "$E2E_TMP"
fi

# start_case <name> [tooltip]: starts the prepared copy, resting at 500,400 until its first click there; checks
# the options button's tooltip when given.
start_case() {
    ((EUID != 0)) || chown -R 65534:65534 "$E2E_TMP/home" "$E2E_TMP/tmp" "$E2E_TMP/runtime"
    e2e_move 500 400
    e2e_start "$1"
    e2e_events 3 "click 1 500 400"
    (($# < 2)) || e2e_check "$1: the options tooltip is '$2'" test "$(e2e_reported "$1" 'tooltip 7')" = "$2"
}

# let_go <signal>: right after a click, picks drag mode, which holds the left button down at the next rest.
let_go() {
    e2e_pick 378
    e2e_move 600 300
    e2e_events 3 "press 1 600 300"
    kill -"$1" "$PID"
    e2e_ended "$PID" 3
    e2e_check "SIG$1 ends it with code 0 (it was $E2E_CODE)" test "$E2E_CODE" = 0
    e2e_events 1 "release 1 600 300"
    e2e_check "and removes the lock" test -z "$(find "$E2E_TMP/tmp" -name 'dimoro-*.lock')"
}

printf '2\r\n8\r\n0\r\nDeutsch.lng\r\n1\r\n0\r\n' >"$E2E_RUN/Dimoro.ini"
rm -r "$E2E_RUN/Lang/Deutsch.lng" "$E2E_RUN/Click" && mkdir "$E2E_RUN/Lang/Deutsch.lng"
start_case language-file-folder-no-click-folder 'Options...'
let_go INT

e2e_copy_program
printf '2\r\n8\r\n0\r\nDeutsch.lng\r\n1\r\n0\r\n' >"$E2E_RUN/Dimoro.ini"
chmod 000 "$E2E_RUN/Lang/Deutsch.lng"
rm "$E2E_RUN/Click/Click1.wav" && mkdir "$E2E_RUN/Click/Click1.wav"
start_case language-file-unreadable-sound-folder 'Options...'
let_go HUP

e2e_copy_program
printf '2\r\n5\r\n0\r\n\r\n1\r\n0\r\n' >"$E2E_RUN/Dimoro.ini"
chmod 000 "$E2E_RUN/Click/Click1.wav" # the clicks beep; the picks' Click2.wav finds no device
chmod a-w "$E2E_RUN"
printf 'pcm.!default { type hw card 29 }\nctl.!default { type hw card 29 }\n' >"$E2E_TMP/home/.asoundrc"
e2e_check "the program's user may not write its folder" "${E2E_RUN_AS[@]}" test ! -w "$E2E_RUN"
start_case read-only-no-sound-card
e2e_options 446 151 "the dwell time's down arrow" 453 151 "the dwell time's down arrow" \
    446 151 "the dwell time's down arrow" 453 151 "the dwell time's down arrow" 346 282 OK
e2e_wait 2 "OK closes the dialog" e2e_not e2e_window "$PID" Options
e2e_move 650 300
e2e_events 3 "click 1 650 300"
e2e_check "the new dwell time acts: 9 resting ticks and the moving one after OK" e2e_gap 800
e2e_check "Dimoro.ini keeps its bytes" cmp -s "$E2E_RUN/Dimoro.ini" <(printf '2\r\n5\r\n0\r\n\r\n1\r\n0\r\n')
let_go TERM
chmod u+w "$E2E_RUN"

e2e_copy_program
mkdir "$E2E_RUN/Dimoro.ini"
rm -r "$E2E_RUN/Lang"
printf 'pcm.!default { type null }\n' >"$E2E_TMP/home/.asoundrc"
start_case settings-folder-no-lang-folder '...'
kill -KILL "$E2E_XVFB"
e2e_ended "$PID" 5
e2e_log "with its X server gone the program ended with code $E2E_CODE"
e2e_check "Dimoro.ini is still a folder" test -d "$E2E_RUN/Dimoro.ini"
e2e_log PASS
