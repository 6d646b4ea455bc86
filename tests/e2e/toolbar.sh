#!/usr/bin/env bash
# The toolbar appears at the left edge, slides out of sight, and is then shown
# and hidden by the pointer touching or leaving the left screen edge.
# (awk programs in single quotes; helpers called without arguments)
# shellcheck source=tests/e2e/lib.sh disable=SC2016,SC2119
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"

# On a 768-pixel screen the window's top is (768 * 15 - 6585) / 2 twips
# = 2467.5 twips = 164.5 pixels, placed at pixel 164. With no settings file
# there is no middle-click button: 675 x 5385 twips = 45 x 359 pixels.
TOP=164
WIDTH=45
HEIGHT=359
MIDDLE=$((TOP + HEIGHT / 2))

e2e_start_resting 600 400
WIN=$E2E_WINDOW
HEX=$(e2e_hex "$WIN")
e2e_log "toolbar window $HEX"

# What the toolbar window did until now, in order, from the recorder's log.
e2e_log "check: shown at 0,$TOP (${WIDTH}x$HEIGHT), slid left step by step, then hidden"
# Lines "create|configure <id> x y w h ms" and "map|unmap <id> ms": a map is where
# the last create or configure put the window.
grep -E "^(create|configure|map|unmap) $HEX " "$E2E_REC_LOG" >"$E2E_TMP/toolbar-events.txt"
e2e_check "the first map was at 0,$TOP size ${WIDTH}x$HEIGHT" \
    awk -v want="0 $TOP $WIDTH $HEIGHT" '
        $1 == "create" || $1 == "configure" { at = $3 " " $4 " " $5 " " $6 }
        $1 == "map" { found = 1; if (at != want) print "first map at:", at; exit }
        END { exit !(found && at == want) }' "$E2E_TMP/toolbar-events.txt"
e2e_check "after the map: moves left only, at least 20 steps, ending 44 to 46 pixels off-screen, then unmap" \
    awk -v top="$TOP" '
        !mapped && ($1 == "create" || $1 == "configure") { x = $3; next }
        $1 == "map" && !mapped { mapped = 1; t0 = $3; next }
        !mapped { next }
        $1 == "configure" && !done {
            if ($3 > x || $4 != top) { print "unexpected move:", $0; bad = 1 }
            if ($3 < x) steps++
            x = $3; next }
        $1 == "unmap" && !done { done = 1; t1 = $3 }
        END {
            printf "  %d steps, last x %d, %.0f ms from map to unmap\n", steps, x, t1 - t0
            exit !(mapped && done && !bad && steps >= 20 && x <= -44 && x >= -46 && t1 - t0 >= 200) }' \
    "$E2E_TMP/toolbar-events.txt"

e2e_log "check: pointer at x=0, y=$MIDDLE shows the toolbar at the left edge"
e2e_move 0 "$MIDDLE"
e2e_wait_for 2 "the toolbar to be mapped" e2e_viewable "$WIN"
e2e_check "mapped at 0,$TOP size ${WIDTH}x$HEIGHT" \
    test "$(e2e_window_info "$WIN")" = "IsViewable 0 $TOP $WIDTH $HEIGHT"

e2e_log "check: x=$WIDTH (on the toolbar's right edge line) changes nothing"
e2e_move "$WIDTH" "$MIDDLE"
e2e_holds_for 0.6 "the toolbar stays mapped" e2e_viewable "$WIN"

e2e_log "check: x=$((WIDTH + 1)) hides it"
e2e_move "$((WIDTH + 1))" "$MIDDLE"
e2e_wait_for 2 "the toolbar to be unmapped" e2e_unmapped "$WIN"

e2e_log "check: x=0 above the toolbar does not show it"
e2e_move 0 $((TOP - 20))
e2e_holds_for 0.6 "the toolbar stays hidden" e2e_unmapped "$WIN"

e2e_log "check: back at x=0, y=$MIDDLE it shows again; x=300 hides it"
e2e_move 0 "$MIDDLE"
e2e_wait_for 2 "the toolbar to be mapped again" e2e_viewable "$WIN"
e2e_move 300 "$MIDDLE"
e2e_wait_for 2 "the toolbar to be unmapped again" e2e_unmapped "$WIN"

e2e_check "the program is still running" e2e_running "$PID"
e2e_pass
