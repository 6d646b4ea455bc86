#!/usr/bin/env bash
# The real program on a private Xvfb for a long run: the pointer moves and rests, again and again.
#
#   bench/soak.sh <build folder> [seconds]      (default 600; SOAK_SECONDS also sets it)
#
# e.g. cmake --preset debug && cmake --build build/debug -j2 && bench/soak.sh build/debug
#
# Each round moves the pointer in four 40 ms steps to a new spot away from the toolbar and rests there:
# 1.2 s, or 4 s every tenth round (a long rest must still give one click only). Every 15th round first
# touches the left screen edge beside the left-click button, so the toolbar shows, sounds its selection
# and hides again. Sound is on, played through ALSA's null device. It fails at the first rest that does
# not give exactly one left click where the pointer rests (a click on the way is allowed once per step, see
# below), or if the program ends; at the end it prints
# the program's resident memory every 30 s and fails if it grew by more than SOAK_GROWTH_KB (256) after
# the first minute. Not run by the test command: it takes as long as it is told to.
# (awk programs in single quotes; helpers called without arguments)
# shellcheck source=tests/e2e/lib.sh disable=SC2016,SC2119
set -u
if (($# < 1)); then
    echo "usage: $0 <build folder> [seconds]" >&2
    exit 2
fi
BUILD=$(readlink -f "$1")
SECONDS_WANTED=${2:-${SOAK_SECONDS:-600}}
GROWTH_KB=${SOAK_GROWTH_KB:-256}
WARMUP=60
source "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_setup "$BUILD/bin/dimoro" "$BUILD/tests/xrecorder"

printf '2\r\n5\r\n0\r\n\r\n1\r\n0\r\n' >"$E2E_RUN/Dimoro.ini"
e2e_move 500 400
e2e_start dimoro
e2e_events 4 "click 1 500 400"

rss_kb() { awk '$1 == "VmRSS:" { print $2 }' "/proc/$PID/status"; }

MEMORY="$E2E_TMP/memory.txt"
: >"$MEMORY"
began=$SECONDS
next_sample=0
rounds=0 clicks=0 edge_visits=0 long_rests=0 on_the_way=0
x=500 y=400
RANDOM=7 # the same path on every run
while ((SECONDS - began < SECONDS_WANTED)); do
    if ((SECONDS - began >= next_sample)); then
        printf '%d %d\n' $((SECONDS - began)) "$(rss_kb)" >>"$MEMORY"
        next_sample=$((next_sample + 30))
    fi
    rounds=$((rounds + 1))
    from=$(e2e_buttons | wc -l)
    # One xdotool for the whole way, so that no process start stretches a step into a rest.
    path=()
    if ((rounds % 15 == 0)); then
        # Moving all the time along the edge, so that no tick there is a rest.
        for edge_y in 316 332 348; do
            path+=(mousemove 0 "$edge_y" sleep 0.06)
        done
        edge_visits=$((edge_visits + 1))
    fi
    # Zig-zag steps 120 pixels apart around the resting spot, so that no tick sees a rest on the way.
    tx=$((180 + RANDOM % 720)) ty=$((80 + RANDOM % 600))
    for offset in "60 40" "-60 40" "60 -40" "-60 -40"; do
        read -r dx dy <<<"$offset"
        path+=(mousemove $((tx + dx)) $((ty + dy)) sleep 0.04)
    done
    xdotool "${path[@]}"
    e2e_move "$tx" "$ty" >/dev/null
    x=$tx y=$ty
    if ((rounds % 10 == 0)); then
        sleep 4
        long_rests=$((long_rests + 1))
    else
        sleep 1.2
    fi
    e2e_running "$PID" || e2e_fail "the program ended in round $rounds"
    # Two ticks may fall within one step when the machine delays one of them: the program then rightly sees
    # a rest on the way and may click there, once. So: one click at the resting spot, last; before it at
    # most one click at each of the way's other points; nothing else.
    way=$(printf '%s\n' "${path[@]}" | paste - - - - - | awk '{ print $2, $3 }')
    if ! extra=$(e2e_buttons | tail -n +"$((from + 1))" | awk -v spot="$x $y" -v way="$way" '
        BEGIN { n = split(way, w, "\n"); for (i = 1; i <= n; ++i) allowed[w[i]] = 1 }
        { at = $3 " " $4 }
        NR % 2 == 1 { if ($1 != "press" || $2 != 1 || last == spot) exit 1; pressed = at; next }
        { if ($1 != "release" || $2 != 1 || at != pressed) exit 1
          if (at != spot && (!(at in allowed) || seen[at]++)) exit 1
          last = at; ++pairs }
        END { if (NR % 2 == 1 || last != spot) exit 1; print pairs - 1 }'); then
        e2e_fail "round $rounds: not exactly one left click at $x,$y but:" \
            "$(e2e_buttons | tail -n +"$((from + 1))" | cut -d ' ' -f 1-4 | paste -sd ',')"
    fi
    clicks=$((clicks + 1))
    on_the_way=$((on_the_way + extra))
done
printf '%d %d\n' $((SECONDS - began)) "$(rss_kb)" >>"$MEMORY"

e2e_log "$rounds rests, $clicks of them with exactly one click, $long_rests of 4 s, $edge_visits visits of the toolbar"
e2e_log "$on_the_way clicks on the way, where two ticks saw the same step"
maps=$(grep -c "^map $(printf 0x%x "$TOOLBAR") " "$E2E_REC_LOG")
e2e_check "the toolbar was shown on every visit ($maps times, the start included)" test "$maps" -gt "$edge_visits"
e2e_log "resident memory (s, kB):"
awk '{ printf "    %5d %7d\n", $1, $2 }' "$MEMORY"
read -r base top last < <(awk -v w="$WARMUP" '
    $1 >= w && base == "" { base = $2 }
    $1 >= w && $2 > top { top = $2 }
    { last = $2 }
    END { if (base == "") base = top = last; print base, top, last }' "$MEMORY")
e2e_log "after the first ${WARMUP}s: ${base} kB, highest ${top} kB, at the end ${last} kB"
e2e_check "no growth above ${GROWTH_KB} kB after the warm-up" test $((top - base)) -le "$GROWTH_KB"
e2e_log PASS
