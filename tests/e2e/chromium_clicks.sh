#!/usr/bin/env bash
# Clicks in a real Chromium window: one rest in each click kind gives exactly the page events a hand on a mouse
# gives there. The double click must be one for Chromium, which ignores a second press stamped with the first
# one's time. The page, data/click-counter.html, shows its counts in its title. Tolerance 2, dwell time 5 ticks,
# sound off, the middle-click button shown.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
command -v chromium >/dev/null || { echo "chromium_clicks: SKIP (chromium is not installed)" && exit 77; }
e2e_setup "$@"
printf '2\r\n5\r\n0\r\n\r\n0\r\n1\r\n' >"$E2E_RUN/Dimoro.ini"
declare -A AT=([double]=277 [left]=328 [drag]=378 [right]=428 [middle]=478)

cp "$(dirname "$0")/data/click-counter.html" "$E2E_TMP/" || e2e_fail "cannot copy the page"
env -u DBUS_SESSION_BUS_ADDRESS HOME="$E2E_TMP/home" chromium --no-sandbox --no-first-run --disable-gpu \
    --disable-background-networking --disable-component-update --disable-sync --password-store=basic \
    --user-data-dir="$E2E_TMP/chromium" --window-position=0,0 --window-size=1024,768 \
    --app="file://$E2E_TMP/click-counter.html" >"$E2E_TMP/chromium.log" 2>&1 &
E2E_PIDS+=("$!")
# page <click> <dblclick> <contextmenu> <middle auxclick> <mousedown> <mouseup>: the page's counts are these (the
# last title read is in page.log, which a failure shows).
page() {
    xdotool search --name '^click ' getwindowname >"$E2E_TMP/page.log" 2>/dev/null
    [[ "$(<"$E2E_TMP/page.log")" == "click $1 dblclick $2 contextmenu $3 auxclick $4 mousedown $5 mouseup $6" ]]
}
e2e_wait 60 "the page in Chromium" page 0 0 0 0 0 0

e2e_move 600 400
e2e_start dimoro
e2e_wait 3 "left: a click" page 1 0 0 0 1 1
e2e_mode "${AT[double]}" 500 400
e2e_wait 3 "double: two clicks and a double click" page 3 1 0 0 3 3
e2e_mode "${AT[right]}" 600 300
e2e_wait 3 "right: a context menu" page 3 1 1 0 4 4
e2e_mode "${AT[middle]}" 500 300
e2e_wait 3 "middle: a middle auxclick" page 3 1 1 1 5 5
e2e_mode "${AT[drag]}" 300 300
e2e_wait 3 "drag: a press" page 3 1 1 1 6 5
e2e_move 700 500
# As after a hand-made drag, the release over the same element ends in a click.
e2e_wait 3 "drag: a release" page 4 1 1 1 6 6
e2e_wait -h 1.2 "nothing more" page 4 1 1 1 6 6
e2e_log PASS
