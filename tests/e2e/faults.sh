#!/usr/bin/env bash
# Damaged or missing files beside the program, and no sound device: each time the program still starts,
# and a rest gives one click and the next rest another (so no sound stalls the ticks).
#   - no Lang folder: empty texts; the language named in Dimoro.ini a folder or unreadable: English texts
#   - no Click folder, a click sound that is a folder or unreadable, ALSA's default device missing (sound on)
#   - Dimoro.ini a folder: read as no file, and left as it is
#   - a program folder the user may not write: OK still closes the options and the new dwell time acts,
#     while Dimoro.ini keeps its old bytes
# Root reads and writes whatever the file modes say, so as root the program runs as the user nobody, in a
# folder that user may read but not write; as anyone else the modes alone do it.
# (awk programs in single quotes; helpers called without arguments or only indirectly)
# shellcheck source=tests/e2e/lib.sh disable=SC2016,SC2119,SC2317
source "$(dirname "$0")/lib.sh"
E2E_LIMIT=${E2E_LIMIT:-150}
e2e_setup "$@"

if ((EUID == 0)); then
    e2e_need setpriv
    E2E_RUN_AS=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
e2e_start_xvfb
e2e_start_recorder
chmod 755 "$E2E_TMP"

INI_DEFAULT=$'2\r\n5\r\n0\r\n\r\n0\r\n0\r\n'
INI_SOUND=$'2\r\n5\r\n0\r\n\r\n1\r\n0\r\n'

# fresh_run <Dimoro.ini bytes>: a new copy of the program's folder, with that settings file (none when
# empty), a fresh home whose ALSA default is the null device, and nothing left of the last case.
fresh_run() {
    rm -rf "${E2E_TMP:?}/run" "${E2E_TMP:?}/home" "${E2E_TMP:?}/tmp" "${E2E_TMP:?}/runtime"
    mkdir -p "$E2E_TMP/home/.config" "$E2E_TMP/tmp" "$E2E_TMP/runtime"
    chmod 700 "$E2E_TMP/runtime"
    e2e_prepare_run >/dev/null
    [[ -z "$1" ]] || printf '%s' "$1" >"$E2E_RUN/Dimoro.ini"
    printf 'pcm.!default { type null }\n' >"$E2E_TMP/home/.asoundrc"
}

# The program's own folders belong to whoever runs it; the program's folder does not.
hand_over_home() {
    ((EUID != 0)) || chown -R 65534:65534 "$E2E_TMP/home" "$E2E_TMP/tmp" "$E2E_TMP/runtime"
}

reported() {
    awk -v key="$2: " 'index($0, key) == 1 { print substr($0, length(key) + 1); exit }' "$E2E_TMP/$1.err"
}

# click_at <x> <y>: moves there and waits for exactly one left click there.
click_at() {
    local from
    from=$(e2e_button_count)
    e2e_move "$1" "$2"
    e2e_wait_for 3 "a click at $1,$2" e2e_buttons_at_least $((from + 2))
    e2e_holds_for 0.5 "exactly one click at $1,$2" e2e_expect_buttons "$from" $'press 1 '"$1 $2"$'\nrelease 1 '"$1 $2"
}

# run_case <name> [options tooltip]: starts the prepared copy with the pointer resting at one spot, expects a
# click there and one at a second spot, and the options button's tooltip when given; then ends the program.
run_case() {
    local name=$1 from clicks
    e2e_log "case: $name"
    hand_over_home
    e2e_move 500 400
    from=$(e2e_rec_next_line)
    clicks=$(e2e_button_count)
    e2e_start_program "$name"
    PID=$E2E_LAST_PID
    e2e_wait_started "$PID" "$from"
    e2e_wait_for 3 "the first click of $name" e2e_buttons_at_least $((clicks + 2))
    sleep 0.5
    click_at 650 300
    if (($# > 1)); then
        e2e_check "$name: the options tooltip is '$2' (it is '$(reported "$name" "tooltip 7")')" \
            test "$(reported "$name" "tooltip 7")" = "$2"
    fi
    e2e_check "$name: still running" e2e_running "$PID"
    e2e_stop "$PID"
}

fresh_run ""
rm -rf "$E2E_RUN/Lang"
run_case no-lang-folder "..."

fresh_run $'2\r\n5\r\n0\r\nDeutsch.lng\r\n0\r\n0\r\n'
rm "$E2E_RUN/Lang/Deutsch.lng"
mkdir "$E2E_RUN/Lang/Deutsch.lng"
run_case language-file-folder "Options..."

fresh_run $'2\r\n5\r\n0\r\nDeutsch.lng\r\n0\r\n0\r\n'
chmod 000 "$E2E_RUN/Lang/Deutsch.lng"
run_case language-file-unreadable "Options..."

fresh_run "$INI_SOUND"
rm -rf "$E2E_RUN/Click"
run_case no-click-folder

fresh_run "$INI_SOUND"
rm "$E2E_RUN/Click/Click1.wav"
mkdir "$E2E_RUN/Click/Click1.wav"
run_case sound-file-folder

fresh_run "$INI_SOUND"
chmod 000 "$E2E_RUN/Click/Click1.wav"
run_case sound-file-unreadable

fresh_run "$INI_SOUND"
printf 'pcm.!default { type hw card 29 }\nctl.!default { type hw card 29 }\n' >"$E2E_TMP/home/.asoundrc"
run_case no-sound-device

fresh_run ""
mkdir "$E2E_RUN/Dimoro.ini"
run_case settings-file-folder
e2e_check "Dimoro.ini is still a folder" test -d "$E2E_RUN/Dimoro.ini"

# --- a program folder the user may not write ------------------------------------------------------------
# Places as in options.sh: the options button below the client area's top (165), and in the dialog's client
# area the dwell time's down arrow (two spots, far enough apart to be two rests) and OK.
OPTIONS_Y=470
ARROW_Y=151
ARROW_X1=446
ARROW_X2=453
OK_BUTTON=(346 282)

fresh_run "$INI_DEFAULT"
chmod a-w "$E2E_RUN"
e2e_log "case: read-only program folder"
hand_over_home
e2e_check "the program's user may not write its folder" "${E2E_RUN_AS[@]}" test ! -w "$E2E_RUN"
e2e_move 600 400
from=$(e2e_rec_next_line)
clicks=$(e2e_button_count)
e2e_start_program read-only
PID=$E2E_LAST_PID
e2e_wait_started "$PID" "$from"
WIN=$E2E_WINDOW
e2e_wait_for 3 "the first left click" e2e_buttons_at_least $((clicks + 2))

DIALOG=""
find_dialog() {
    DIALOG=$(xdotool search --all --onlyvisible --pid "$PID" --name '^Options$' 2>/dev/null | head -n 1)
    [[ -n "$DIALOG" ]]
}
dialog_gone() {
    ! xdotool search --all --pid "$PID" --name '^Options$' >/dev/null 2>&1
}
rest_on() {
    e2e_move $((DX + $1)) $((DY + $2))
    sleep 1.2
}
e2e_move 0 "$OPTIONS_Y"
e2e_wait_for 2 "the toolbar to be shown" e2e_viewable "$WIN"
e2e_move 20 "$OPTIONS_Y"
e2e_wait_for 5 "the options dialog, after resting on its button" find_dialog
read -r _ DX DY _ _ < <(e2e_window_info "$DIALOG")
for spot in $ARROW_X1 $ARROW_X2 $ARROW_X1 $ARROW_X2; do
    rest_on "$spot" $ARROW_Y # dwell time 5 -> 9
done
e2e_move $((DX + OK_BUTTON[0])) $((DY + OK_BUTTON[1]))
e2e_wait_for 2 "the dialog to be gone after resting on OK" dialog_gone
ok_ms=$(awk -v t="$EPOCHREALTIME" 'BEGIN { printf "%.1f", t * 1000 }')
from=$(e2e_button_count)
e2e_move 600 300
e2e_wait_for 4 "the first click after OK" e2e_buttons_at_least $((from + 2))
next_ms=$(e2e_buttons | awk '$1 == "release" { t = $6 } END { print t }')
e2e_log "from OK to the next click: $(awk -v a="$ok_ms" -v b="$next_ms" 'BEGIN { print b - a }') ms"
# As in options.sh: 9 resting ticks and the tick that saw the move, where 5 would have clicked by 0.6 s.
e2e_check "the new dwell time acts" awk -v a="$ok_ms" -v b="$next_ms" 'BEGIN { exit !(b - a >= 800) }'
e2e_check "Dimoro.ini keeps its old six lines" test "$(od -An -c "$E2E_RUN/Dimoro.ini")" = "$(printf '%s' "$INI_DEFAULT" | od -An -c)"
e2e_check "nothing else was written in the folder" test "$(find "$E2E_RUN" -maxdepth 1 -newer "$E2E_TMP/read-only.out" | wc -l)" = 0
e2e_check "still running" e2e_running "$PID"
e2e_stop "$PID"
chmod u+w "$E2E_RUN"
e2e_pass
