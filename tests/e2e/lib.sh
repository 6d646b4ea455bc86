# shellcheck shell=bash
# Shared helpers for the end-to-end tests. Each test script does:
#
#   source "$(dirname "$0")/lib.sh"
#   e2e_setup "$@"          # <dimoro executable> <xrecorder>
#
# and then uses the functions below. Every test gets its own Xvfb (the server
# picks a free display number itself, so parallel runs never collide), its own
# copy of the program's folder, and its own TMPDIR, HOME and XDG folders.
# Everything it starts is ended by the EXIT trap, by process id.
#
# Set E2E_KEEP=1 to keep the temporary folder for a look afterwards.
# E2E_LIMIT (default 60) is the most seconds a test may take; then it fails.

# Variables set here are read by the test scripts.
# shellcheck disable=SC2034
set -u

E2E_NAME=$(basename "${0%.sh}")
E2E_START=$EPOCHREALTIME
E2E_TMP=""
E2E_PIDS=()
E2E_WATCHDOG=""
E2E_LAST_PID=""
E2E_EXIT_CODE=""
E2E_WINDOW=""
E2E_SCREEN_W=1024
E2E_SCREEN_H=768
E2E_POLL=0.05
E2E_LIMIT=${E2E_LIMIT:-60}
E2E_RUN_AS=()

# --- reporting ---------------------------------------------------------------

e2e_elapsed() {
    local now=$EPOCHREALTIME
    awk -v a="$E2E_START" -v b="$now" 'BEGIN { printf "%.2f", b - a }'
}

e2e_log() {
    printf '[%s +%ss] %s\n' "$E2E_NAME" "$(e2e_elapsed)" "$*"
}

e2e_dump() {
    local file
    [[ -n "$E2E_TMP" && -d "$E2E_TMP" ]] || return 0
    for file in "$E2E_TMP"/*.log "$E2E_TMP"/*.out "$E2E_TMP"/*.err; do
        [[ -s "$file" ]] || continue
        printf -- '----- %s (last 40 lines) -----\n' "$(basename "$file")"
        tail -n 40 "$file"
    done
}

e2e_fail() {
    printf '[%s +%ss] FAIL: %s\n' "$E2E_NAME" "$(e2e_elapsed)" "$*"
    e2e_dump
    printf '%s: FAIL\n' "$E2E_NAME"
    exit 1
}

e2e_pass() {
    printf '%s: PASS\n' "$E2E_NAME"
    exit 0
}

# e2e_check <description> <command...>: runs the command; fails the test if it fails.
e2e_check() {
    local what=$1
    shift
    if "$@"; then
        e2e_log "ok: $what"
    else
        e2e_fail "$what"
    fi
}

# --- set-up and clean-up -------------------------------------------------------

e2e_need() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            printf '%s: SKIP (%s is not installed)\n' "$E2E_NAME" "$tool"
            exit 77
        fi
    done
}

e2e_cleanup() {
    local pid i
    trap - INT TERM
    if [[ -n "$E2E_WATCHDOG" ]]; then
        kill -TERM "$E2E_WATCHDOG" 2>/dev/null
        wait "$E2E_WATCHDOG" 2>/dev/null
    fi
    # Newest first: the programs and helpers before the X server they use.
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        pid=${E2E_PIDS[i]}
        kill -TERM "$pid" 2>/dev/null || continue
    done
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        pid=${E2E_PIDS[i]}
        e2e_reap "$pid" 3 || kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    if [[ -n "$E2E_TMP" && -d "$E2E_TMP" ]]; then
        if [[ "${E2E_KEEP:-0}" == 1 ]]; then
            printf '[%s] kept %s\n' "$E2E_NAME" "$E2E_TMP"
        else
            rm -rf "$E2E_TMP"
        fi
    fi
}

# e2e_setup <dimoro> <xrecorder>
e2e_setup() {
    if (($# != 2)); then
        echo "usage: $0 <dimoro executable> <xrecorder>" >&2
        exit 2
    fi
    E2E_DIMORO=$(readlink -f "$1")
    E2E_RECORDER=$(readlink -f "$2")
    [[ -x "$E2E_DIMORO" ]] || e2e_fail "no program at $1"
    [[ -x "$E2E_RECORDER" ]] || e2e_fail "no recorder at $2"
    e2e_need Xvfb xdotool xwininfo awk
    E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/dimoro-e2e.XXXXXX") || e2e_fail "cannot make a temporary folder"
    trap e2e_cleanup EXIT
    trap 'e2e_fail "interrupted, or over the time limit of ${E2E_LIMIT}s"' INT TERM
    # A whole test ends by itself well before CTest's own timeout would kill it
    # without letting it clean up.
    local self=$$
    (
        trap 'kill "$nap" 2>/dev/null; exit 0' TERM
        sleep "$E2E_LIMIT" &
        nap=$!
        wait "$nap" && kill -TERM "$self"
    ) &
    E2E_WATCHDOG=$!
    mkdir -p "$E2E_TMP/tmp" "$E2E_TMP/home/.config" "$E2E_TMP/runtime"
    chmod 700 "$E2E_TMP/runtime"
    e2e_log "work folder $E2E_TMP"
}

# --- waiting -------------------------------------------------------------------

# e2e_wait_for <timeout-s> <description> <command...>: polls the command every
# 50 ms until it succeeds; fails the test after the timeout. Logs the success
# unless E2E_QUIET=1.
e2e_wait_for() {
    local timeout=$1 what=$2
    shift 2
    local deadline
    deadline=$(awk -v t="$EPOCHREALTIME" -v d="$timeout" 'BEGIN { printf "%.6f", t + d }')
    local began=$EPOCHREALTIME
    while true; do
        if "$@"; then
            [[ "${E2E_QUIET:-0}" == 1 ]] || e2e_log "ok: $what (after $(awk -v a="$began" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.2f", b - a }')s)"
            return 0
        fi
        if awk -v t="$EPOCHREALTIME" -v d="$deadline" 'BEGIN { exit !(t > d) }'; then
            e2e_fail "timed out after ${timeout}s waiting for: $what"
        fi
        sleep "$E2E_POLL"
    done
}

# e2e_holds_for <seconds> <description> <command...>: the command must keep
# succeeding for the whole time (checked every 50 ms); fails the test otherwise.
e2e_holds_for() {
    local span=$1 what=$2
    shift 2
    local deadline
    deadline=$(awk -v t="$EPOCHREALTIME" -v d="$span" 'BEGIN { printf "%.6f", t + d }')
    while true; do
        "$@" || e2e_fail "stopped holding: $what"
        if awk -v t="$EPOCHREALTIME" -v d="$deadline" 'BEGIN { exit !(t > d) }'; then
            e2e_log "ok: $what (held ${span}s)"
            return 0
        fi
        sleep "$E2E_POLL"
    done
}

# --- processes -----------------------------------------------------------------

# e2e_exited <pid>: true once the process has ended (gone or a zombie).
e2e_exited() {
    local state
    [[ -r "/proc/$1/stat" ]] || return 0
    state=$(awk '{ sub(/^.*\) /, ""); print $1 }' "/proc/$1/stat" 2>/dev/null) || return 0
    [[ -z "$state" || "$state" == Z || "$state" == X ]]
}

e2e_running() {
    ! e2e_exited "$1"
}

# e2e_reap <pid> <timeout-s>: waits (polling) for the process to end; true if it did.
e2e_reap() {
    local pid=$1 tries
    tries=$(awk -v t="$2" -v p="$E2E_POLL" 'BEGIN { printf "%d", t / p + 1 }')
    while ((tries-- > 0)); do
        e2e_exited "$pid" && return 0
        sleep "$E2E_POLL"
    done
    e2e_exited "$pid"
}

# e2e_forget <pid>: drops a reaped process from the clean-up list, so that its
# number, free again, is never signalled.
e2e_forget() {
    local i
    for i in "${!E2E_PIDS[@]}"; do
        [[ "${E2E_PIDS[i]}" == "$1" ]] && unset 'E2E_PIDS[i]'
    done
    E2E_PIDS=("${E2E_PIDS[@]}")
}

# e2e_wait_exit <pid> <timeout-s>: the process must end in time; its exit code
# is left in E2E_EXIT_CODE.
e2e_wait_exit() {
    local pid=$1
    e2e_wait_for "$2" "process $pid to end" e2e_exited "$pid"
    wait "$pid" 2>/dev/null
    E2E_EXIT_CODE=$?
    e2e_forget "$pid"
}

# e2e_stop <pid>: ends a process this test started (TERM, then KILL).
e2e_stop() {
    local pid=$1
    kill -TERM "$pid" 2>/dev/null
    e2e_reap "$pid" 3 || kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    e2e_forget "$pid"
    return 0
}

# --- X server ------------------------------------------------------------------

# e2e_start_xvfb [extra Xvfb arguments]: starts a private server; sets DISPLAY.
e2e_start_xvfb() {
    local fdfile="$E2E_TMP/displayfd"
    : >"$fdfile"
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN_W}x${E2E_SCREEN_H}x24" -nolisten tcp -noreset "$@" \
        3>"$fdfile" >"$E2E_TMP/xvfb.log" 2>&1 &
    local pid=$!
    E2E_PIDS+=("$pid")
    e2e_wait_for 10 "Xvfb to tell its display number" grep -q '^[0-9][0-9]*$' "$fdfile"
    DISPLAY=":$(head -n 1 "$fdfile")"
    export DISPLAY
    e2e_running "$pid" || e2e_fail "Xvfb ended at once"
    e2e_log "Xvfb (pid $pid) on $DISPLAY ${*:+with $*}"
}

# --- the recorder ----------------------------------------------------------------

E2E_REC_LOG=""

# e2e_start_recorder: starts the recorder (a window over the whole screen, also
# watching the other windows) and waits until its window is up. Its output goes
# to $E2E_REC_LOG.
e2e_start_recorder() {
    E2E_REC_LOG="$E2E_TMP/recorder.log"
    "$E2E_RECORDER" >"$E2E_REC_LOG" 2>"$E2E_TMP/recorder.err" &
    local pid=$!
    E2E_PIDS+=("$pid")
    e2e_wait_for 10 "the recorder's window" grep -qx ready "$E2E_REC_LOG"
    e2e_log "recorder (pid $pid) ready"
}

# e2e_buttons: the button events recorded so far, one per line.
e2e_buttons() {
    grep -E '^(press|release) ' "$E2E_REC_LOG"
}

e2e_button_count() {
    e2e_buttons | wc -l
}

# e2e_buttons_at_least <n>: true once n button events have been recorded.
e2e_buttons_at_least() {
    (($(e2e_button_count) >= $1))
}

# e2e_expect_buttons <from-line> <expected>: the button events after the first
# <from-line> ones, without their times, must be exactly <expected>
# (lines "press|release <button> <x> <y>").
e2e_expect_buttons() {
    local skip=$1 expected=$2 actual
    actual=$(e2e_buttons | tail -n +"$((skip + 1))" | awk '{ print $1, $2, $3, $4 }')
    if [[ "$actual" != "$expected" ]]; then
        printf 'expected button events:\n%s\nrecorded:\n%s\n' "${expected:-(none)}" "${actual:-(none)}"
        return 1
    fi
}

# --- the pointer ---------------------------------------------------------------

# e2e_pointer_at <x> <y>: true if the pointer is there.
e2e_pointer_at() {
    local where
    where=$(xdotool getmouselocation 2>/dev/null) || return 1
    [[ "$where" == "x:$1 y:$2 "* ]]
}

# e2e_move <x> <y>: moves the pointer (never presses a button) and checks it got there.
e2e_move() {
    xdotool mousemove "$1" "$2" || e2e_fail "xdotool mousemove $1 $2 failed"
    E2E_QUIET=1 e2e_wait_for 2 "the pointer at $1,$2" e2e_pointer_at "$1" "$2"
    e2e_log "pointer moved to $1,$2"
}

# --- the program -----------------------------------------------------------------

# e2e_stub_opener: the desktop's opener (xdg-open, which the program's URL opening runs) is replaced,
# for programs started afterwards, by one that notes each address in $E2E_TMP/opened.log.
e2e_stub_opener() {
    mkdir -p "$E2E_TMP/bin"
    printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s"\n' "$E2E_TMP/opened.log" >"$E2E_TMP/bin/xdg-open"
    chmod +x "$E2E_TMP/bin/xdg-open"
    PATH="$E2E_TMP/bin:$PATH"
}

# e2e_prepare_run: copies the program's folder to a private place, without any
# settings file a build folder may hold. Sets E2E_RUN and E2E_EXE.
e2e_prepare_run() {
    E2E_RUN="$E2E_TMP/run"
    mkdir -p "$E2E_RUN"
    cp -a "$(dirname "$E2E_DIMORO")/." "$E2E_RUN/" || e2e_fail "cannot copy the program's folder"
    rm -f "$E2E_RUN/Dimoro.ini"
    E2E_EXE="$E2E_RUN/$(basename "$E2E_DIMORO")"
    [[ -x "$E2E_EXE" ]] || e2e_fail "the copy has no executable"
    e2e_log "program copied to $E2E_RUN"
}

# e2e_start_program <name>: starts the program from its private folder, with a
# private TMPDIR, HOME and XDG folders, on the test's X server, in the locale
# E2E_LANG (default C.UTF-8). It reports the texts it shows on standard error.
# Output goes to $E2E_TMP/<name>.out and .err; the process id is left in E2E_LAST_PID.
# E2E_RUN_AS, when set, is a command that runs the program as another user (e.g. setpriv ...).
e2e_start_program() {
    local name=$1
    (
        cd "$E2E_TMP/home" || exit 127
        exec env -u WAYLAND_DISPLAY -u DBUS_SESSION_BUS_ADDRESS -u SESSION_MANAGER -u LC_ALL -u LC_MESSAGES \
            DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb LANG="${E2E_LANG:-C.UTF-8}" DIMORO_TEST_REPORT_TEXTS=1 \
            TMPDIR="$E2E_TMP/tmp" HOME="$E2E_TMP/home" XDG_CONFIG_HOME="$E2E_TMP/home/.config" \
            XDG_RUNTIME_DIR="$E2E_TMP/runtime" "${E2E_RUN_AS[@]}" "$E2E_EXE"
    ) >"$E2E_TMP/$name.out" 2>"$E2E_TMP/$name.err" &
    E2E_LAST_PID=$!
    E2E_PIDS+=("$E2E_LAST_PID")
    e2e_log "started $name (pid $E2E_LAST_PID)"
}

# --- windows -------------------------------------------------------------------

# e2e_find_toolbar <pid>: true once the program has its toolbar window; its id
# (decimal) is left in E2E_WINDOW.
e2e_find_toolbar() {
    local ids
    ids=$(xdotool search --all --pid "$1" --name '^Dimoro Free$' 2>/dev/null) || return 1
    E2E_WINDOW=$(head -n 1 <<<"$ids")
    [[ -n "$E2E_WINDOW" ]]
}

# e2e_find_visible <pid>: true once the process shows a window; its id is left
# in E2E_WINDOW.
e2e_find_visible() {
    local ids
    ids=$(xdotool search --all --onlyvisible --pid "$1" '' 2>/dev/null) || return 1
    E2E_WINDOW=$(head -n 1 <<<"$ids")
    [[ -n "$E2E_WINDOW" ]]
}

# e2e_window_info <id>: prints "<state> <x> <y> <w> <h>" (state IsViewable,
# IsUnMapped or IsUnviewable).
e2e_window_info() {
    xwininfo -id "$1" 2>/dev/null | awk '
        /Absolute upper-left X:/ { x = $NF }
        /Absolute upper-left Y:/ { y = $NF }
        /^ *Width:/ { w = $NF }
        /^ *Height:/ { h = $NF }
        /Map State:/ { s = $NF }
        END { if (s == "") exit 1; print s, x, y, w, h }'
}

e2e_viewable() {
    local info
    info=$(e2e_window_info "$1") || return 1
    [[ "$info" == IsViewable* ]]
}

e2e_unmapped() {
    local info
    info=$(e2e_window_info "$1") || return 1
    [[ "$info" == IsUnMapped* ]]
}

e2e_hex() {
    printf '0x%x' "$1"
}

# e2e_window_event <create|configure|map|unmap> <id> [from-line]: true once the recorder has seen
# that happen to the window (at or after that line of its log).
e2e_window_event() {
    tail -n +"${3:-1}" "$E2E_REC_LOG" | grep -q "^$1 $(e2e_hex "$2") "
}

# e2e_rec_next_line: the number of the recorder's next log line. A program started on a server whose
# earlier client has gone may get that client's window ids again: pass this to e2e_wait_started.
e2e_rec_next_line() {
    echo $(($(wc -l <"$E2E_REC_LOG") + 1))
}

# e2e_wait_started <pid> [from-line]: waits for the program's toolbar window to be shown and
# then hidden at the end of the slide-out (seen by the recorder, so a window not
# yet mapped is never taken for one already hidden). Leaves its id in E2E_WINDOW.
e2e_wait_started() {
    e2e_wait_for 15 "the toolbar window of pid $1" e2e_find_toolbar "$1"
    e2e_wait_for 10 "the toolbar to be mapped" e2e_window_event map "$E2E_WINDOW" "${2:-1}"
    e2e_wait_for 10 "the slide-out to end (toolbar unmapped)" e2e_window_event unmap "$E2E_WINDOW" "${2:-1}"
    e2e_check "the toolbar is unmapped now" e2e_unmapped "$E2E_WINDOW"
}

# e2e_start_resting <x> <y>: a private X server and recorder, the pointer resting at x,y, and the
# program started there and past its slide-out; its pid is left in PID.
e2e_start_resting() {
    e2e_start_xvfb
    e2e_start_recorder
    e2e_prepare_run
    e2e_move "$1" "$2"
    e2e_start_program dimoro
    PID=$E2E_LAST_PID
    e2e_wait_started "$PID"
}
