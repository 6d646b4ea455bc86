#!/usr/bin/env bash
# Clicking and its modes. A resting pointer gets one left click there and no more, never sooner than the dwell
# time after the last move (on the X server's clock). Passing over a toolbar button picks
# its click kind, and the next rest injects exactly that kind's button events (pause none; a double click's second
# press comes after a gap).
# Tolerance 2 pixels, dwell time 5 ticks, sounds on (to the null device), the middle-click button shown.
# shellcheck source=tests/e2e/lib.sh disable=SC2016 # awk programs and [[ ]] in single quotes
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"
printf '2\r\n5\r\n0\r\n\r\n1\r\n1\r\n' >"$E2E_RUN/Dimoro.ini"

# Button middles on a 768-pixel screen: the toolbar's client area starts at 165, the buttons at designed places.
declare -A AT=([pause]=226 [double]=277 [left]=328 [drag]=378 [right]=428 [middle]=478)

e2e_start_resting 600 400 dimoro
# ms from the last pointer motion to the last press, both on the server's clock.
latency() { awk '$1 == "motion" { m = $4 } $1 == "press" { p = $5 } END { print p - m }' "$E2E_REC_LOG"; }
# Rests begun at different times after the click before, and in the tick: the count a click leaves must never
# shorten the next rest.
for i in {0..9}; do
    sleep "$(printf '0.%02d' $((i * 37 % 100)))"
    e2e_move $((300 + 30 * i)) $((500 - 20 * i % 60))
    e2e_events 3 "click 1 $((300 + 30 * i)) $((500 - 20 * i % 60))"
    e2e_check "rest $i clicked $(latency) ms after the last move" test "$(latency)" -ge 500
done
# A second of moving, 20 pixels every 50 ms.

e2e_mode "${AT[right]}" 600 300 "click 3 600 300"
e2e_mode "${AT[middle]}" 500 300 "click 2 500 300"
e2e_mode "${AT[double]}" 400 300 "click 1 400 300" "click 1 400 300"
e2e_check "the double click's second press at least 1 ms after the first release (server clock)" \
    awk '{ t[NR] = $5 } END { exit !(t[3] - t[2] >= 1) }' <(e2e_buttons | tail -n 4)
e2e_mode "${AT[drag]}" 300 300 "press 1 300 300"
e2e_move 700 500
e2e_events 3 "release 1 700 500"
e2e_mode "${AT[pause]}" 650 350
e2e_events 1.2
e2e_mode "${AT[left]}" 550 350 "click 1 550 350"

e2e_log PASS
