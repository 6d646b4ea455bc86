#!/usr/bin/env bash
# Clicking and its modes. A resting pointer gets one left click there and no more, never sooner than the dwell
# time after the last move (on the X server's clock). Passing over a toolbar button picks
# its click kind, and the next rest injects exactly that kind's button events (pause none; a double click's second
# press comes after a gap). A ring around the pointer shows the rest's progress: it fills while the rest counts, is
# full in the kind's colour as the click lands on the window beneath it, and is gone once the pointer moves; it is
# shaped on a plain X server and translucent under a compositing manager, and never there when switched off.
# Tolerance 2 pixels, dwell time 5 ticks, sounds on (to the null device), the middle-click button shown.
# shellcheck source=tests/e2e/lib.sh disable=SC2016 # awk programs and [[ ]] in single quotes
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"
printf '2\r\n5\r\n0\r\n\r\n1\r\n1\r\n' >"$E2E_RUN/Dimoro.ini"

# Button middles on a 768-pixel screen: the toolbar's client area starts at 165, the buttons at designed places.
declare -A AT=([pause]=226 [double]=277 [left]=328 [drag]=378 [right]=428 [middle]=478)
RING='Dimoro Free dwell progress'
# full <colour> [<x> <y>]: the recorder found the ring full in that colour around the last button event, its hole
# clear; or the screen shows so now around x, y (a compositing manager draws the screen a little after the ring).
full() {
    local seen
    seen=$( (($# == 3)) && "$E2E_RECORDER" --ring "$2" "$3" || e2e_buttons | tail -n 1 | cut -d ' ' -f 7-)
    [[ "${seen# }" == "$1 $1 $1 $1 ffffff" ]]
}
filling() { [[ "$("$E2E_RECORDER" --ring "$1" "$2")" == " 0072b2 "??????" "??????" 303030 ffffff" ]]; }
# ring_of_depth <bits>: the ring is on the screen, a window of that depth (24 shaped, 32 translucent).
ring_of_depth() { e2e_window "$PID" "$RING" && [[ "$(xwininfo -id "$E2E_WINDOW" | awk '/Depth:/ { print $2 }')" == "$1" ]]; }

e2e_start_resting 600 400 dimoro
e2e_check "the ring full around the first click" full 0072b2
e2e_wait 1 "the ring gone after it" e2e_not e2e_window "$PID" "$RING"
# ms from the last pointer motion to the last press, both on the server's clock.
latency() { awk '$1 == "motion" { m = $4 } $1 == "press" { p = $5 } END { print p - m }' "$E2E_REC_LOG"; }
# Rests begun at different times after the click before, and in the tick: the count a click leaves must never
# shorten the next rest.
for i in {0..9}; do
    sleep "$(printf '0.%02d' $((i * 37 % 100)))"
    e2e_move $((300 + 30 * i)) $((500 - 20 * i % 60))
    if ((i == 0)); then
        sleep 0.25 # one or two ticks of rest: the ring has filled past half past one, not yet to half past ten
        e2e_check "the ring filling during the rest: $("$E2E_RECORDER" --ring 300 500)" filling 300 500
        e2e_check "a shaped ring without a compositing manager" ring_of_depth 24
    fi
    e2e_events 3 "click 1 $((300 + 30 * i)) $((500 - 20 * i % 60))"
    e2e_check "rest $i clicked $(latency) ms after the last move" test "$(latency)" -ge 500
    e2e_check "rest $i: the full ring around its click" full 0072b2
done
# A second of moving, 20 pixels every 50 ms: no ring.
for x in {1..20}; do xdotool mousemove $((300 + 20 * x)) 600 && sleep 0.05; done &
sleep 0.15 # the first tick that sees the move ends the last click's ring
e2e_wait -h 0.7 "no ring while the pointer moves" e2e_not e2e_window "$PID" "$RING"
wait $!

xcompmgr 2>>"$E2E_TMP/xcompmgr.err" &
E2E_PIDS+=("$!")

e2e_mode "${AT[right]}" 600 300 "click 3 600 300"
e2e_check "right click's ring" full cc79a7 600 300
e2e_check "a translucent ring under a compositing manager" ring_of_depth 32
e2e_mode "${AT[middle]}" 500 300 "click 2 500 300"
e2e_check "middle click's ring" full f0e442 500 300
e2e_mode "${AT[double]}" 400 300 "click 1 400 300" "click 1 400 300"
e2e_check "double click's ring" full 009e73 400 300
e2e_check "the double click's second press at least 1 ms after the first release (server clock)" \
    awk '{ t[NR] = $5 } END { exit !(t[3] - t[2] >= 1) }' <(e2e_buttons | tail -n 4)
e2e_mode "${AT[drag]}" 300 300 "press 1 300 300"
e2e_check "drag's press ring" full e69f00 300 300
e2e_move 700 500
e2e_events 3 "release 1 700 500"
e2e_check "drag's release ring" full d55e00 700 500
e2e_mode "${AT[pause]}" 650 350
e2e_events 1.2
e2e_check "no ring in pause" e2e_not e2e_window "$PID" "$RING"
e2e_mode "${AT[left]}" 550 350 "click 1 550 350"

e2e_stop
printf '2\r\n5\r\n0\r\n\r\n1\r\n1\r\n0\r\n' >"$E2E_RUN/Dimoro.ini"
e2e_start_resting 500 400 ring-off
e2e_check "switched off: no ring, ever" e2e_not e2e_window "$PID" "$RING" hidden-too

e2e_log PASS
