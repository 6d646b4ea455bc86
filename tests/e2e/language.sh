#!/usr/bin/env bash
# With no Dimoro.ini the language comes from the locale: Italian gives Italiano.lng, Portuguese (no file of
# its own) English.lng. The options button's tooltip is text 13 and "...", and a second copy's message
# shows text 0 with the title text 1. The texts are compared with the shipped files, read here.
# shellcheck source=tests/e2e/lib.sh disable=SC2034,SC2119
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"
e2e_need iconv

e2e_start_xvfb
e2e_prepare_run

# entry <file> <k>: text k of a language file, in UTF-8.
entry() {
    sed -n "$(($2 + 1))p" "$E2E_RUN/Lang/$1" | tr -d '\r' | LC_ALL=C cut -b 4- | iconv -f WINDOWS-1252 -t UTF-8
}

# reported <name> <what>: what the program <name> reported on standard error.
reported() {
    sed -n "s/^$2: //p" "$E2E_TMP/$1.err" | head -n 1
}

check_language() {
    local locale=$1 file=$2 tip title text
    E2E_LANG=$locale # read by e2e_start_program
    e2e_log "check: LANG=$locale uses $file"
    e2e_move 900 650
    e2e_start_program "first-$locale"
    local first=$E2E_LAST_PID
    # The texts are reported once the start-up, single-copy lock included, is over. (Not the toolbar's
    # window events: the server may give the second run's window the first run's id.)
    e2e_wait_for 15 "the first copy's texts" grep -q '^tooltip 7: ' "$E2E_TMP/first-$locale.err"
    tip=$(entry "$file" 13)...
    e2e_check "the options tooltip is '$tip' (it is '$(reported "first-$locale" "tooltip 7")')" \
        test "$(reported "first-$locale" "tooltip 7")" = "$tip"

    e2e_start_program "second-$locale"
    local second=$E2E_LAST_PID
    e2e_wait_for 15 "the second copy's message" e2e_find_visible "$second"
    title=$(entry "$file" 1)
    text=$(entry "$file" 0)
    e2e_check "the message window's title is '$title'" test "$(xdotool getwindowname "$E2E_WINDOW")" = "$title"
    e2e_check "the message text is '$text'" test "$(reported "second-$locale" "message text")" = "$text"
    e2e_check "the message title reported is '$title'" test "$(reported "second-$locale" "message title")" = "$title"
    xdotool windowfocus --sync "$E2E_WINDOW" || e2e_fail "cannot focus the message"
    xdotool key --clearmodifiers Return || e2e_fail "xdotool key failed"
    e2e_wait_exit "$second" 5
    e2e_stop "$first"
    # The detected language stays in memory until the options are confirmed.
    e2e_check "no settings file was written" test ! -e "$E2E_RUN/Dimoro.ini"
}

check_language it_IT.UTF-8 Italiano.lng
check_language pt_BR.UTF-8 English.lng
# The two files must differ where compared, or the test could not tell them apart.
e2e_check "Italian and English texts differ" test "$(entry Italiano.lng 13)" != "$(entry English.lng 13)"

e2e_pass
