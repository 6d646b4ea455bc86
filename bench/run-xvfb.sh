#!/usr/bin/env bash
# Whole-program figures for Dimoro Free on a private Xvfb.
#
#   bench/run-xvfb.sh <build folder | path to the dimoro executable>
#
# e.g. cmake --preset release && cmake --build build/release -j2 && bench/run-xvfb.sh build/release
#
# What it does:
#   1. starts the program (from a temporary copy of its folder) with the pointer
#      resting away from the toolbar, and times from the exec to the toolbar's
#      first map, to the end of the slide-out and to the first click, from the
#      events seen by the end-to-end tests' xrecorder;
#   2. the click latency: 20 rests at the default 0.5 s dwell, each begun by one
#      jump of the pointer at a different moment after the click before; from the
#      last MotionNotify to the ButtonPress, both stamped by the X server, as
#      xrecorder sees them (then stopped);
#   3. pointer still for PHASE seconds: CPU use of the program;
#   4. pointer moving every 50 ms for PHASE seconds: CPU use of the program;
#   5. pointer resting 0.45 s at a time for PHASE seconds, so that the dwell
#      progress ring is always filling and no click comes: CPU use of the program;
#   6. resident memory of the program at the end.
# A bare XQueryPointer loop (xpoller) runs alongside and is measured the same way.
# Only the measured processes' own CPU time is counted: xdotool, Xvfb and this
# script are not.
#
# Environment: BENCH_PHASE_S (default 30) sets the length of each phase.

set -u

PHASE=${BENCH_PHASE_S:-30}
STILL_X=600
STILL_Y=400

die() {
    echo "run-xvfb: $*" >&2
    exit 1
}

(($# == 1)) || die "usage: $0 <build folder | dimoro executable>"
if [[ -d "$1" ]]; then
    BUILD=$(readlink -f "$1")
    EXE="$BUILD/bin/dimoro"
else
    EXE=$(readlink -f "$1")
    BUILD=$(dirname "$(dirname "$EXE")")
fi
XRECORDER="$BUILD/tests/xrecorder"
XPOLLER="$BUILD/bench/xpoller"
[[ -x "$EXE" ]] || die "no program at $EXE"
[[ -x "$XRECORDER" && -x "$XPOLLER" ]] || die "build the xrecorder and xpoller targets first (in $BUILD)"
for tool in Xvfb xdotool awk; do
    command -v "$tool" >/dev/null || die "$tool is not installed"
done

WORK=$(mktemp -d "${TMPDIR:-/tmp}/dimoro-bench.XXXXXX") || die "cannot make a temporary folder"
PIDS=()     # this script's children, newest last
RECORDER="" # xrecorder while it runs
cleanup() {
    local i
    [[ -z "$RECORDER" ]] || kill -TERM "$RECORDER" 2>/dev/null
    for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do
        kill -TERM "${PIDS[i]}" 2>/dev/null
    done
    for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do
        wait "${PIDS[i]}" 2>/dev/null
    done
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# wait_for <timeout-s> <what> <command...>: polls every 10 ms.
wait_for() {
    local tries=$(($1 * 100)) what=$2
    shift 2
    while ((tries-- > 0)); do
        "$@" && return 0
        sleep 0.01
    done
    die "timed out waiting for $what"
}

# --- a private X server -----------------------------------------------------------
: >"$WORK/displayfd"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$WORK/displayfd" >"$WORK/xvfb.log" 2>&1 &
PIDS+=($!)
wait_for 10 "Xvfb" grep -q '^[0-9][0-9]*$' "$WORK/displayfd"
DISPLAY=":$(head -n 1 "$WORK/displayfd")"
export DISPLAY

# --- the program, from a private copy of its folder ----------------------------
mkdir -p "$WORK/run" "$WORK/tmp" "$WORK/home/.config" "$WORK/runtime"
chmod 700 "$WORK/runtime"
cp -a "$(dirname "$EXE")/." "$WORK/run/"
rm -f "$WORK/run/Dimoro.ini"
xdotool mousemove "$STILL_X" "$STILL_Y"

# cpu_ticks <pid>: utime + stime of all its threads, in clock ticks.
cpu_ticks() {
    awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"
}
# cpu_ns <pid>: time on a CPU of its live threads, in ns (scheduler statistics).
cpu_ns() {
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%.0f", s }'
}
status_kb() {
    awk -v k="$2:" '$1 == k { print $2 }' "/proc/$1/status"
}
HZ=$(getconf CLK_TCK)

EVENTS="$WORK/events.txt"
"$XRECORDER" >"$EVENTS" 2>"$WORK/recorder.log" &
RECORDER=$!
wait_for 10 "the recorder" grep -qx ready "$EVENTS"
# The launch time is taken just before the exec, on the recorder's clock (the wall
# clock, microseconds; any decimal comma made a point).
(
    cd "$WORK/home" || exit 127
    unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER
    export QT_QPA_PLATFORM=xcb LANG=C.UTF-8 TMPDIR="$WORK/tmp" HOME="$WORK/home" \
        XDG_CONFIG_HOME="$WORK/home/.config" XDG_RUNTIME_DIR="$WORK/runtime"
    echo "${EPOCHREALTIME/,/.}" >"$WORK/launch"
    exec "$WORK/run/${EXE##*/}"
) >"$WORK/program.log" 2>&1 &
PID=$!
PIDS+=("$PID")
toolbar() {
    TOOLBAR=$(xdotool search --all --pid "$PID" --name '^Dimoro Free$' 2>/dev/null | head -n 1)
    [[ -n "$TOOLBAR" ]]
}
wait_for 15 "the toolbar window" toolbar
HEX=$(printf '0x%x' "$TOOLBAR")
wait_for 15 "the toolbar to be mapped" grep -q "^map $HEX " "$EVENTS"
wait_for 15 "the slide-out to end" grep -q "^unmap $HEX " "$EVENTS"
wait_for 15 "the first click" grep -q "^press " "$EVENTS"

echo "run-xvfb: 20 rests for the click latency ..." >&2
pressed_after() { (($(grep -c '^press ' "$EVENTS") > $1)); }
for i in $(seq 20); do
    presses=$(grep -c '^press ' "$EVENTS")
    sleep "$(printf '0.%02d' $((i * 37 % 100)))"
    xdotool mousemove $((300 + 20 * i)) $((300 + 10 * (i % 3)))
    wait_for 5 "the click of rest $i" pressed_after "$presses"
done
# min / median / max of the ms from the last motion to the press after it; the start-up's click has no motion.
LATENCY=$(awk '$1 == "motion" { m = $4 } $1 == "press" && m { print $5 - m; m = 0 }' "$EVENTS" | sort -n |
    awk '{ v[NR] = $1 } END { printf "%d %g %d %d", v[1], (v[int((NR + 1) / 2)] + v[int(NR / 2) + 1]) / 2, v[NR], NR }')
read -r LAT_MIN LAT_MEDIAN LAT_MAX LAT_N <<<"$LATENCY"
kill -TERM "$RECORDER"
wait "$RECORDER" 2>/dev/null
RECORDER=""
# since <event> <window id, or ""> <field>: ms from the launch to the first such event.
since() {
    awk -v t0="$(cat "$WORK/launch")" -v what="$1" -v id="$2" -v f="$3" \
        '$1 == what && (id == "" || $2 == id) { printf "%.1f", $f - 1000 * t0; exit }' "$EVENTS"
}
MAPPED_MS=$(since map "$HEX" 3)
HIDDEN_MS=$(since unmap "$HEX" 3)
CLICK_MS=$(since press "" 6)

xdotool mousemove "$STILL_X" "$STILL_Y"
"$XPOLLER" >"$WORK/xpoller.log" 2>&1 &
POLLER=$!
PIDS+=("$POLLER")
sleep 1 # both past their start-up work

# measure <seconds>: CPU of the program and of xpoller over that time; prints
# "<prog % (stat)> <prog % (schedstat)> <poller % (stat)> <poller % (schedstat)>".
measure() {
    local t0 t1 p0 p1 q0 q1 pn0 pn1 qn0 qn1
    t0=$EPOCHREALTIME
    p0=$(cpu_ticks "$PID") pn0=$(cpu_ns "$PID")
    q0=$(cpu_ticks "$POLLER") qn0=$(cpu_ns "$POLLER")
    sleep "$1"
    p1=$(cpu_ticks "$PID") pn1=$(cpu_ns "$PID")
    q1=$(cpu_ticks "$POLLER") qn1=$(cpu_ns "$POLLER")
    t1=$EPOCHREALTIME
    awk -v t0="$t0" -v t1="$t1" -v hz="$HZ" -v p0="$p0" -v p1="$p1" -v pn0="$pn0" -v pn1="$pn1" \
        -v q0="$q0" -v q1="$q1" -v qn0="$qn0" -v qn1="$qn1" 'BEGIN {
            d = t1 - t0
            printf "%.3f %.3f %.3f %.3f\n", 100 * (p1 - p0) / hz / d, 100 * (pn1 - pn0) / 1e9 / d,
                100 * (q1 - q0) / hz / d, 100 * (qn1 - qn0) / 1e9 / d }'
}

echo "run-xvfb: pointer still at $STILL_X,$STILL_Y for ${PHASE}s ..." >&2
read -r STILL_P STILL_PN STILL_Q STILL_QN < <(measure "$PHASE")

# measure_moving <seconds between moves> <y> <x>...: measure over a phase in which the pointer jumps to each x in
# turn, over and over.
measure_moving() {
    local interval=$1 y=$2
    shift 2
    (
        while :; do
            for x in "$@"; do
                xdotool mousemove "$x" "$y"
                sleep "$interval"
            done
        done
    ) >/dev/null 2>&1 &
    local mover=$!
    measure "$PHASE"
    kill -TERM "$mover" 2>/dev/null
    wait "$mover" 2>/dev/null
}

echo "run-xvfb: pointer moving every 50 ms for ${PHASE}s ..." >&2
# shellcheck disable=SC2046 # one x per word
read -r MOVE_P MOVE_PN MOVE_Q MOVE_QN < <(measure_moving 0.05 "$STILL_Y" $(seq 400 5 595) $(seq 600 -5 405))

echo "run-xvfb: pointer resting 0.45 s at a time (the ring filling) for ${PHASE}s ..." >&2
read -r RING_P RING_PN RING_Q RING_QN < <(measure_moving 0.45 500 400 440 480 520 560)

kill -0 "$PID" 2>/dev/null || die "the program ended during the run"
RSS=$(status_kb "$PID" VmRSS) HWM=$(status_kb "$PID" VmHWM)
ANON=$(status_kb "$PID" RssAnon) FILE=$(status_kb "$PID" RssFile)
QRSS=$(status_kb "$POLLER" VmRSS)
THREADS=$(status_kb "$PID" Threads)

verdict() { awk -v v="$1" -v lim="$2" 'BEGIN { print (v <= lim) ? "met" : "NOT met" }'; }

cat <<EOF
Dimoro Free on Xvfb 1024x768, $EXE
start-up (ms from just before the exec to the X event reaching xrecorder; wall clock, 0.1 ms resolution):
  toolbar mapped        $MAPPED_MS
  slide-out ended       $HIDDEN_MS
  first click           $CLICK_MS
click latency, $LAT_N rests at 0.5 s (ms from the last pointer move to the press, X server clock):
  min / median / max    $LAT_MIN / $LAT_MEDIAN / $LAT_MAX
CPU, % of one core      program: /proc stat (10 ms ticks) / schedstat (ns, live threads)   xpoller: same
  pointer still ${PHASE}s    $(printf '%8.3f / %-8.3f' "$STILL_P" "$STILL_PN")                                   $(printf '%8.3f / %-8.3f' "$STILL_Q" "$STILL_QN")
  pointer moving ${PHASE}s   $(printf '%8.3f / %-8.3f' "$MOVE_P" "$MOVE_PN")                                   $(printf '%8.3f / %-8.3f' "$MOVE_Q" "$MOVE_QN")
  ring filling ${PHASE}s     $(printf '%8.3f / %-8.3f' "$RING_P" "$RING_PN")                                   $(printf '%8.3f / %-8.3f' "$RING_Q" "$RING_QN")
memory at the end       program: VmRSS $((RSS / 1024)).$(((RSS % 1024) * 10 / 1024)) MB (RssAnon $((ANON / 1024)).$(((ANON % 1024) * 10 / 1024)), RssFile $((FILE / 1024)).$(((FILE % 1024) * 10 / 1024))), VmHWM $((HWM / 1024)).$(((HWM % 1024) * 10 / 1024)) MB, $THREADS threads;  xpoller: VmRSS $((QRSS / 1024)).$(((QRSS % 1024) * 10 / 1024)) MB
targets
  still CPU <= 0.15 %   $(verdict "$STILL_PN" 0.15) ($STILL_PN %)
  ring CPU <= 1 %       $(verdict "$RING_PN" 1) ($RING_PN %)
  RSS <= 30 MB          $(verdict "$RSS" 30720) ($((RSS / 1024)) MB)
  mapped <= 350 ms      $(verdict "$MAPPED_MS" 350) ($MAPPED_MS ms)
  latency >= 500 ms     $(verdict 500 "$LAT_MIN") (min $LAT_MIN ms)
EOF
