#!/usr/bin/env bash
# Faults and ways out. With damaged or missing files beside it, no sound device, or a folder it may not write,
# the program still starts, clicks, and takes the next rest after a sound (a pick's or a click's) as well:
#   - a language file named in Dimoro.ini that is a folder or unreadable: English texts; no Lang folder: none
#   - no Click folder, a click sound that is a folder or unreadable, no sound card for ALSA's default device
#   - Dimoro.ini a folder: read as no file and left so
#   - a program folder the user may not write: OK saves a Dimoro.ini the user may write in place, and the new
#     dwell time acts; when the file may not be written either, OK still closes the options and the new values
#     act, while a small message, closed by a dwell beside its button, says they last until the program ends
#   - a folder whose name is not UTF-8 and whose path is as long as the program takes: clicks, sounds, help and
#     the settings work, through a Dimoro.ini that is a symlink, which stays one and keeps its target's mode
#   - a folder whose path is longer than the system allows: one line, and code 1
# SIGINT, SIGHUP and SIGTERM end it with code 0, letting go first of the button drag mode holds and removing
# the single-copy lock from the runtime folder; the X server going away ends it too.
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
    e2e_start_resting 500 400 "$1"
    (($# < 2)) || e2e_check "$1: the options tooltip is '$2'" test "$(e2e_reported "$1" 'tooltip 7')" = "$2"
}

# let_go <signal>: right after a click, picks drag mode, which holds the left button down at the next rest.
let_go() {
    e2e_mode 378 600 300 "press 1 600 300"
    e2e_check "it holds its lock in the runtime folder" test -n "$(find "$E2E_TMP/runtime" -name 'dimoro-*.lock')"
    kill -"$1" "$PID"
    e2e_ended "$PID" 3
    e2e_check "SIG$1 ends it with code 0 (it was $E2E_CODE)" test "$E2E_CODE" = 0
    e2e_events 1 "release 1 600 300"
    e2e_check "and removes the lock" test -z "$(find "$E2E_TMP/runtime" -name 'dimoro-*.lock')"
}

printf '2\r\n8\r\n0\r\nDeutsch.lng\r\n1\r\n0\r\n' >"$E2E_RUN/Dimoro.ini"
rm -r "$E2E_RUN/Lang/Deutsch.lng" "$E2E_RUN/Click" && mkdir "$E2E_RUN/Lang/Deutsch.lng"
start_case language-file-folder-no-click-folder 'Options...'
let_go INT

e2e_copy_program '2\r\n8\r\n0\r\nDeutsch.lng\r\n1\r\n0\r\n'
chmod 000 "$E2E_RUN/Lang/Deutsch.lng"
rm "$E2E_RUN/Click/Click1.wav" && mkdir "$E2E_RUN/Click/Click1.wav"
start_case language-file-unreadable-sound-folder 'Options...'
let_go HUP

e2e_copy_program '2\r\n5\r\n0\r\n\r\n1\r\n0\r\n'
((EUID != 0)) || chown 65534 "$E2E_RUN/Dimoro.ini"
chmod 000 "$E2E_RUN/Click/Click1.wav" # the clicks beep; the picks' Click2.wav finds no device
chmod a-w "$E2E_RUN"
printf 'pcm.!default { type hw card 29 }\nctl.!default { type hw card 29 }\n' >"$E2E_TMP/home/.asoundrc"
e2e_check "the program's user may not write its folder" "${E2E_RUN_AS[@]}" test ! -w "$E2E_RUN"
start_case read-only-folder-no-sound-card
e2e_options 446 151 "the dwell time's down arrow" 453 151 "the dwell time's down arrow" \
    446 151 "the dwell time's down arrow" 453 151 "the dwell time's down arrow" 346 282 OK
e2e_wait 2 "OK closes the dialog" e2e_not e2e_window "$PID" Options
e2e_move 650 300
e2e_events 3 "click 1 650 300"
e2e_check "the new dwell time acts: 9 resting ticks and the moving one after OK" e2e_gap 800
e2e_check "Dimoro.ini, written in place, holds it" cmp -s "$E2E_RUN/Dimoro.ini" <(printf '2\r\n9\r\n0\r\nEnglish.lng\r\n1\r\n0\r\n1\r\n')
chmod a-w "$E2E_RUN/Dimoro.ini"
e2e_options 446 151 "the dwell time's down arrow" 346 282 OK
e2e_wait 3 "a message after OK" e2e_window "$PID" 'Dimoro Free'
e2e_check "it says the settings last until the program ends" \
    test "$(e2e_reported read-only-folder-no-sound-card 'notice text')" = "$(sed -n 's/^28 \(.*\)\r$/\1/p' "$E2E_RUN/Lang/English.lng")"
read -r _ x y w h < <(e2e_geometry "$E2E_WINDOW")
e2e_dwell $((x + w / 4)) $((y + h / 4)) "the message, beside its button"
e2e_wait 2 "the click closes it" e2e_not e2e_window "$PID" 'Dimoro Free'
e2e_check "Dimoro.ini keeps its bytes" cmp -s "$E2E_RUN/Dimoro.ini" <(printf '2\r\n9\r\n0\r\nEnglish.lng\r\n1\r\n0\r\n1\r\n')
let_go TERM
chmod u+w "$E2E_RUN"

# A folder named with bytes that are not UTF-8, its path as long as the program takes (PATH_MAX less 64 bytes for
# its own files), and a Dimoro.ini that is a symlink to a file elsewhere. The ALSA device writes what it plays.
e2e_copy_program
name=$(printf 'd%.0s' {1..200})
FOLDER="$E2E_TMP/run-"$'\xff\xfe'
while (($(printf %s "$FOLDER" | wc -c) + 201 < $(getconf PATH_MAX /) - 64)); do FOLDER+=/$name; done
FOLDER+=/$(head -c $(($(getconf PATH_MAX /) - 66 - $(printf %s "$FOLDER" | wc -c))) /dev/zero | tr '\0' e)
{ mkdir -p "$FOLDER" "$E2E_TMP/elsewhere" && cp -a "$E2E_RUN/." "$FOLDER/"; } || e2e_fail "cannot copy to $FOLDER"
E2E_RUN=$FOLDER E2E_EXE="$FOLDER/${E2E_EXE##*/}"
printf '2\r\n5\r\n0\r\n\r\n1\r\n0\r\n' >"$E2E_TMP/elsewhere/real.ini"
ln -s "$E2E_TMP/elsewhere/real.ini" "$FOLDER/Dimoro.ini" && chmod 640 "$E2E_TMP/elsewhere/real.ini"
((EUID != 0)) || chown -R 65534:65534 "$E2E_TMP/elsewhere"
printf 'pcm.!default { type file slave.pcm "null" file "%s" format raw }\n' "$E2E_TMP/tmp/played" >"$E2E_TMP/home/.asoundrc"
start_case folder-name-not-utf8 'Options...'
e2e_wait 2 "the click's sound to be played" test -s "$E2E_TMP/tmp/played"
: >"$E2E_TMP/opened.log" && chmod 666 "$E2E_TMP/opened.log"
e2e_pick 502
e2e_wait 3 "resting on help calls the opener" test -s "$E2E_TMP/opened.log"
url=$(<"$E2E_TMP/opened.log")
e2e_check "with the address of the help page in that folder" test -f "$(printf '%b' "${url//%/\\x}" | sed 's|^file://||')"
e2e_options 446 151 "the dwell time's down arrow" 346 282 OK
e2e_wait 2 "OK closes the dialog" e2e_not e2e_window "$PID" Options
e2e_check "Dimoro.ini stays a symlink" test -L "$FOLDER/Dimoro.ini"
e2e_check "its target is written" cmp -s "$E2E_TMP/elsewhere/real.ini" <(printf '2\r\n6\r\n0\r\nEnglish.lng\r\n1\r\n0\r\n1\r\n')
e2e_check "and keeps its mode" test "$(stat -c %a "$E2E_TMP/elsewhere/real.ini")" = 640
let_go INT

# Beyond PATH_MAX, through two symlinks that each hold half of the path.
half=$name
for _ in {1..10}; do half+=/$name; done
{ mkdir -p "$E2E_TMP/deep/$half" && ln -s "deep/$half" "$E2E_TMP/half" && mkdir -p "$E2E_TMP/half/$half" &&
    ln -s "$half" "$E2E_TMP/half/rest" && cp -a "$E2E_RUN/." "$E2E_TMP/half/rest/"; } || e2e_fail "cannot make a deep folder"
E2E_EXE="$E2E_TMP/half/rest/${E2E_EXE##*/}"
e2e_start --no-wait too-long
e2e_gives_up "the program in a folder beyond PATH_MAX"
e2e_check "it ends with code 1 (it was $E2E_CODE)" test "$E2E_CODE" = 1
e2e_check "saying why in one line" grep -qx "Dimoro Free cannot work from its folder: .* shorter path\." "$E2E_TMP/too-long.err"

e2e_copy_program
mkdir "$E2E_RUN/Dimoro.ini"
rm -r "$E2E_RUN/Lang"
printf 'pcm.!default { type null }\n' >"$E2E_TMP/home/.asoundrc"
start_case settings-folder-no-lang-folder '...'
kill -KILL "$E2E_XVFB"
e2e_ended "$PID" 5
e2e_log "with its X server gone the program ended with code $E2E_CODE"
e2e_log PASS
