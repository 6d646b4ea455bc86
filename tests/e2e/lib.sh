# shellcheck shell=bash
# Shared by the end-to-end journeys and bench/soak.sh. A script does
#
#   source "$(dirname "$0")/lib.sh"
#   e2e_setup "$@"          # <dimoro executable> <xrecorder>
#
# and then has its own Xvfb (the server picks a free display number, so parallel runs never collide) with the
# recorder on it, a copy of the program's folder in "$E2E_RUN" (a name with a blank, no Dimoro.ini), its own
# TMPDIR, HOME and XDG folders, ALSA's null device as the sound card and a stub of the desktop's opener that
# notes each address in $E2E_TMP/opened.log. Everything it starts is ended on exit, by process id.
# Set E2E_KEEP=1 to keep the temporary folder for a look afterwards.

# Variables set here are read by the scripts.
# shellcheck disable=SC2034
set -u
export LC_NUMERIC=C
E2E_NAME=$(basename "${0%.sh}")
E2E_START=${EPOCHREALTIME/[.,]/}
E2E_TMP=""
E2E_PIDS=()
E2E_SEEN=0    # button events on the recorder's window that a check has accounted for
E2E_RUN_AS=() # a command that runs the program as another user (setpriv ...)
E2E_ENV=()    # more of the program's environment, as NAME=value

e2e_log() {
    local us=$((${EPOCHREALTIME/[.,]/} - E2E_START))
    printf '[%s +%d.%02ds] %s\n' "$E2E_NAME" $((us / 1000000)) $((us % 1000000 / 10000)) "$*"
}

e2e_fail() {
    e2e_log "FAIL: $*"
    local file
    for file in "$E2E_TMP"/*.err "$E2E_TMP"/*.log; do
        [[ -s "$file" ]] && printf -- '----- %s (last 30 lines)\n%s\n' "${file##*/}" "$(tail -n 30 "$file")"
    done
    exit 1
}

# e2e_check <what> <command...>: the command must succeed.
e2e_check() {
    "${@:2}" || e2e_fail "$1"
    e2e_log "ok: $1"
}

e2e_not() { ! "$@"; }

# e2e_wait [-h] <seconds> <what> <command...>: polls the command every 50 ms until it succeeds, and fails the
# test if it has not within the time. With -h the command must instead keep succeeding the whole time.
e2e_wait() {
    local hold=0 us
    [[ "$1" == -h ]] && hold=1 && shift
    printf -v us '%.0f' "${1}e6"
    local end=$((${EPOCHREALTIME/[.,]/} + us))
    while :; do
        if "${@:3}"; then
            ((hold)) || { e2e_log "ok: $2" && return 0; }
        elif ((hold)); then
            e2e_fail "stopped holding: $2"
        fi
        if ((${EPOCHREALTIME/[.,]/} > end)); then
            ((hold)) || e2e_fail "timed out after $1 s waiting for: $2"
            e2e_log "ok: $2 (held $1 s)" && return 0
        fi
        sleep 0.05
    done
}

e2e_running() {
    local stat
    stat=$(cat "/proc/$1/stat" 2>/dev/null) && [[ "${stat##*) }" != [ZX]* ]]
}

# e2e_ended <pid> <seconds>: the process must end in time; its exit code is left in E2E_CODE.
e2e_ended() {
    e2e_wait "$2" "process $1 to end" e2e_not e2e_running "$1"
    wait "$1" 2>/dev/null
    E2E_CODE=$?
    local i
    for i in "${!E2E_PIDS[@]}"; do
        [[ "${E2E_PIDS[i]}" == "$1" ]] && unset 'E2E_PIDS[i]'
    done
}

# e2e_stop: SIGTERM ends the program PID in time.
e2e_stop() { kill -TERM "$PID" && e2e_ended "$PID" 5; }

# e2e_gives_up <what>: the program PID, started with --no-wait, must end at once or show why and wait; xdotool
# cannot type on a server without XTEST, so the message is closed as a window manager would. Code in E2E_CODE.
e2e_gone_or_asking() { e2e_not e2e_running "$PID" || e2e_window "$PID" 'Dimoro Free'; }
e2e_gives_up() {
    e2e_wait 15 "$1 to end or show a message" e2e_gone_or_asking
    e2e_running "$PID" && { "$E2E_RECORDER" --close "$E2E_WINDOW" || e2e_fail "cannot close the message"; }
    e2e_ended "$PID" 5
}

e2e_cleanup() {
    local pid
    kill -TERM "${E2E_PIDS[@]}" 2>/dev/null
    for pid in "${E2E_PIDS[@]}"; do
        for _ in {1..60}; do e2e_running "$pid" || break; sleep 0.05; done
        kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    if [[ "${E2E_KEEP:-0}" == 1 ]]; then echo "kept $E2E_TMP"; else chmod -R u+w "$E2E_TMP" && rm -rf "$E2E_TMP"; fi
}

# e2e_xvfb [Xvfb arguments...]: starts a private X server and points DISPLAY at it.
# shellcheck disable=SC2120 # the arguments are for the scripts
e2e_xvfb() {
    : >"$E2E_TMP/display"
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-1024x768}x24" -nolisten tcp -noreset "$@" 3>"$E2E_TMP/display" \
        2>>"$E2E_TMP/xvfb.err" &
    E2E_XVFB=$!
    E2E_PIDS+=("$E2E_XVFB")
    e2e_wait 10 "Xvfb $*" grep -qx '[0-9][0-9]*' "$E2E_TMP/display"
    DISPLAY=":$(<"$E2E_TMP/display")"
    export DISPLAY
}

# e2e_copy_program [<Dimoro.ini as a printf format>]: a fresh copy of the program's folder in "$E2E_RUN", with
# that settings file or none.
# shellcheck disable=SC2120 # the settings are for the scripts
e2e_copy_program() {
    E2E_RUN="$E2E_TMP/my run"
    E2E_EXE="$E2E_RUN/${E2E_DIMORO##*/}"
    { rm -rf "$E2E_RUN" && cp -a "${E2E_DIMORO%/*}/." "$E2E_RUN/" && rm -f "$E2E_RUN/Dimoro.ini"; } ||
        e2e_fail "cannot copy the program's folder"
    # shellcheck disable=SC2059 # the bytes are written as a format, like the scripts' own printf
    (($# == 0)) || printf "$1" >"$E2E_RUN/Dimoro.ini"
}

e2e_setup() {
    if (($# != 2)) || [[ ! -x "$1" || ! -x "$2" ]]; then
        echo "usage: $0 <dimoro executable> <xrecorder>" >&2
        exit 2
    fi
    E2E_DIMORO=$(readlink -f "$1")
    E2E_RECORDER=$(readlink -f "$2")
    local tool
    for tool in Xvfb xdotool xwininfo; do
        command -v "$tool" >/dev/null || { echo "$E2E_NAME: SKIP ($tool is not installed)" && exit 77; }
    done
    E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/dimoro-e2e.XXXXXX") || exit 1
    trap e2e_cleanup EXIT
    trap 'e2e_fail "interrupted, or out of time"' INT TERM
    mkdir -p "$E2E_TMP/tmp" "$E2E_TMP/home/.config" "$E2E_TMP/runtime" "$E2E_TMP/bin"
    chmod 700 "$E2E_TMP/runtime"
    printf 'pcm.!default { type null }\n' >"$E2E_TMP/home/.asoundrc"
    printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s"\n' "$E2E_TMP/opened.log" >"$E2E_TMP/bin/xdg-open"
    chmod +x "$E2E_TMP/bin/xdg-open"
    # shellcheck disable=SC2119
    e2e_copy_program
    # shellcheck disable=SC2119
    e2e_xvfb
    E2E_REC_LOG="$E2E_TMP/recorder.log"
    "$E2E_RECORDER" >"$E2E_REC_LOG" 2>"$E2E_TMP/recorder.err" &
    E2E_PIDS+=("$!")
    e2e_wait 10 "the recorder's window on $DISPLAY" grep -qx ready "$E2E_REC_LOG"
}

# e2e_move <x> <y>: moves the pointer; nothing here ever presses a button.
e2e_move() {
    xdotool mousemove "$1" "$2" || e2e_fail "xdotool mousemove $1 $2 failed"
    e2e_log "pointer at $1,$2"
}

# e2e_start [--no-wait] <name>: starts the program in "$E2E_RUN" in the locale E2E_LANG (C.UTF-8 unless set),
# telling it to report the texts it shows on standard error; output in $E2E_TMP/<name>.out and .err, process
# id in PID. Unless told not to, waits until the toolbar has been shown and has slid out of sight (the recorder
# sees its window mapped, then unmapped), and leaves the toolbar's window id in TOOLBAR.
e2e_start() {
    local wait=1 from
    [[ "$1" == --no-wait ]] && wait=0 && shift
    from=$(($(wc -l <"$E2E_REC_LOG") + 1)) # the server may give this run an earlier run's window ids
    (
        cd "$E2E_TMP/home" || exit 127
        exec env -u WAYLAND_DISPLAY -u DBUS_SESSION_BUS_ADDRESS -u SESSION_MANAGER -u LC_ALL -u LC_MESSAGES \
            PATH="$E2E_TMP/bin:$PATH" QT_QPA_PLATFORM=xcb LANG="${E2E_LANG:-C.UTF-8}" DIMORO_TEST_REPORT_TEXTS=1 \
            TMPDIR="$E2E_TMP/tmp" HOME="$E2E_TMP/home" XDG_CONFIG_HOME="$E2E_TMP/home/.config" \
            XDG_RUNTIME_DIR="$E2E_TMP/runtime" "${E2E_ENV[@]}" "${E2E_RUN_AS[@]}" "$E2E_EXE"
    ) >"$E2E_TMP/$1.out" 2>"$E2E_TMP/$1.err" &
    PID=$!
    E2E_PIDS+=("$PID")
    e2e_log "started $1 (pid $PID)"
    ((wait)) || return 0
    e2e_wait 15 "the toolbar window of $1" e2e_window "$PID" 'Dimoro Free' hidden-too
    TOOLBAR=$E2E_WINDOW
    e2e_wait 10 "the slide-out of $1 to end" e2e_logged "^unmap $(printf 0x%x "$TOOLBAR") " "$from"
}

# e2e_start_resting <x> <y> <name>: starts the program with the pointer resting there, where its first click goes.
e2e_start_resting() {
    e2e_move "$1" "$2"
    e2e_start "$3"
    e2e_events 3 "click 1 $1 $2"
}

# e2e_reported <name> <what>: the text the program <name> reported showing there ("tooltip 7", "message text").
e2e_reported() {
    sed -n "s/^$2: //p" "$E2E_TMP/$1.err" | head -n 1
}

# e2e_window <pid> <title> [hidden-too]: true once the process has a window of that title on the screen (or at
# all); its id is left in E2E_WINDOW.
e2e_window() {
    local shown=(--onlyvisible)
    (($# > 2)) && shown=()
    E2E_WINDOW=$(xdotool search --all "${shown[@]}" --pid "$1" --name "^$2\$" 2>/dev/null | head -n 1)
    [[ -n "$E2E_WINDOW" ]]
}

# e2e_geometry <window>: its state (IsViewable, IsUnMapped) and place, as "IsViewable 0 164 45 359".
e2e_geometry() {
    xwininfo -id "$1" 2>/dev/null | awk '/Map State:/ { s = $NF } /Absolute upper-left [XY]:/ { p = p " " $NF }
        /^ *(Width|Height):/ { p = p " " $NF } END { print s p }'
}

# e2e_is <window> <state> [<x> <y> <width> <height>]: true if the window is so.
e2e_is() {
    [[ "$(e2e_geometry "$1") " == "${*:2} "* ]]
}

# e2e_pick <y>: touches the left screen edge at that height, so that the toolbar shows, and moves over it to
# x 20: the button there is picked (a click kind at once, a command after a rest there).
e2e_pick() {
    e2e_move 0 "$1"
    e2e_wait 2 "the toolbar shown" e2e_is "$TOOLBAR" IsViewable
    e2e_move 20 "$1"
}

# e2e_mode <button y> <x> <y> [event...]: picks the toolbar's button at that height, rests at x, y and, with events
# given, expects exactly those within 3 s (see e2e_events).
e2e_mode() {
    e2e_pick "$1"
    e2e_move "$2" "$3"
    (($# == 3)) || e2e_events 3 "${@:4}"
}

# e2e_options [<x> <y> <what>]...: opens the options dialog by a rest on its button (on a toolbar without the
# middle-click button) and dwell-clicks these places of its client area in turn (in pixels: designed twips / 15).
# Leaves the client area's place in DX, DY.
e2e_options() {
    e2e_pick 470
    e2e_wait 5 "the options dialog, after a rest on its button" e2e_window "$PID" Options
    read -r _ DX DY _ _ < <(e2e_geometry "$E2E_WINDOW")
    while (($# >= 3)); do
        e2e_dwell $((DX + $1)) $((DY + $2)) "$3"
        shift 3
    done
}

# e2e_logged <regex> [from-line]: true if a line of the recorder's log (from that line on) matches.
e2e_logged() {
    tail -n +"${2:-1}" "$E2E_REC_LOG" | grep -qE "$1"
}

# e2e_count <regex> <test operator> <number>: compares the count of the recorder's lines that match.
e2e_count() {
    test "$(grep -cE "$1" "$E2E_REC_LOG")" "$2" "$3"
}

e2e_buttons() {
    grep -E '^(press|release) ' "$E2E_REC_LOG"
}

# e2e_events <seconds> [event...]: the recorder's window gets exactly these button events next, within the
# time, each "press|release <button> <x> <y>", or "click <button> <x> <y>" for both; with none, no event at
# all for that time. Every event is accounted for, so one too many shows up at the next call.
e2e_events() {
    local seconds=$1 want=() event got
    shift
    for event in "$@"; do
        [[ "$event" == click* ]] && want+=("press${event#click}" "release${event#click}") || want+=("$event")
    done
    if ((${#want[@]} == 0)); then
        e2e_wait -h "$seconds" "no button event" e2e_count '^(press|release) ' -eq "$E2E_SEEN"
        return
    fi
    e2e_wait "$seconds" "${want[*]}" e2e_count '^(press|release) ' -ge $((E2E_SEEN + ${#want[@]}))
    got=$(e2e_buttons | tail -n +$((E2E_SEEN + 1)) | head -n ${#want[@]} | cut -d ' ' -f 1-4)
    [[ "$got" == "$(printf '%s\n' "${want[@]}")" ]] || e2e_fail "expected ${want[*]}, got: ${got//$'\n'/, }"
    E2E_SEEN=$((E2E_SEEN + ${#want[@]}))
}

# e2e_dwell <x> <y> <what>: rests there until the program clicks, on a window of its own or another's.
e2e_dwell() {
    local clicks
    clicks=$(grep -c '^raw release ' "$E2E_REC_LOG")
    e2e_move "$1" "$2"
    e2e_wait 4 "a click on $3" e2e_count '^raw release ' -gt "$clicks"
}

# e2e_gap <ms>: true if the program's last two clicks, wherever they went, were at least that far apart.
e2e_gap() {
    grep '^raw release ' "$E2E_REC_LOG" | tail -n 2 |
        awk -v ms="$1" '{ t[NR] = $4 } END { print "  " t[2] - t[1] " ms apart"; exit !(t[2] - t[1] >= ms) }'
}

# e2e_desktop <width>x<height> [<name> <geometry>]...: a fresh server of that size with the recorder on it, split
# into these monitors (xrandr --setmonitor geometry "W/mmWxH/mmH+X+Y"; a name starting with * is the primary). The
# first monitor takes the output "screen", so that the server's automatic whole-screen monitor goes away.
e2e_desktop() {
    local ready output=screen tool
    for tool in xrandr xrdb; do
        command -v "$tool" >/dev/null || e2e_fail "$tool is missing (Debian's x11-xserver-utils)"
    done
    ready=$(grep -cx ready "$E2E_REC_LOG")
    E2E_SCREEN=$1 e2e_xvfb
    shift
    while (($# >= 2)); do
        xrandr --setmonitor "$1" "$2" "$output" >/dev/null || e2e_fail "cannot set the monitor $1 $2"
        output=none
        shift 2
    done
    "$E2E_RECORDER" >>"$E2E_REC_LOG" 2>>"$E2E_TMP/recorder.err" &
    E2E_PIDS+=("$!")
    e2e_wait 10 "the recorder on $DISPLAY" e2e_count '^ready$' -gt "$ready"
}
