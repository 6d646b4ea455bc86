#!/usr/bin/env bash
# The toolbar at the screen's left edge, and one copy per user and display. The toolbar shows at the left edge at
# start and slides out of sight step by step; touching the edge beside it shows it, leaving it hides it. The first
# copy is an installed one (data in share/dimoro-free, settings in ~/.config/Dimoro); the portable copy started
# beside it, on the same display spelled another way, shows its message and ends when it is closed, leaving the
# first one clicking and the settings alone. A copy killed with SIGKILL leaves its lock, which the next start takes
# over, and leaves the button that drag mode held down (the server lets go of nothing: the release on other signals
# is the program's own). Another user's copy (as root: nobody's) and a copy on another display run beside it. At
# 200%, and with two monitors, the toolbar lies wholly on the leftmost monitor and its edge and buttons work over
# all of it. On a server without XTEST the program says so and ends with code 1.
# No runtime folder: the locks go to the temporary folder, named by user id and display.
# Dwell time 8 ticks; no middle-click button: the toolbar is 45 x 359 pixels, its top at 164.
# shellcheck source=tests/e2e/lib.sh disable=SC2016
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"
E2E_RUN_AS=(env -u XDG_RUNTIME_DIR)
PORTABLE=$E2E_EXE
E2E_EXE="$E2E_TMP/usr/bin/${PORTABLE##*/}"
{ mkdir -p "$E2E_TMP/usr/bin" "$E2E_TMP/usr/share" "$E2E_TMP/home/.config/Dimoro" &&
    cp -a "$E2E_RUN" "$E2E_TMP/usr/share/dimoro-free" && mv "$E2E_TMP/usr/share/dimoro-free/${E2E_EXE##*/}" "$E2E_EXE"; } ||
    e2e_fail "cannot lay out an installed copy"
INI="$E2E_TMP/home/.config/Dimoro/Dimoro.ini"
printf '2\r\n8\r\n0\r\n\r\n0\r\n0\r\n' >"$INI"
touch -d '2001-01-01 00:00:00' "$INI"
ini_state() { stat -c '%s %y' "$INI" && sha256sum <"$INI"; }
INI_BEFORE=$(ini_state)
settings_kept() { [[ "$(ini_state)" == "$INI_BEFORE" && ! -e "$E2E_RUN/Dimoro.ini" ]]; }
lock_of() { find "$E2E_TMP/tmp" -name "dimoro-$1-display-${DISPLAY#:}.lock" | grep -q .; }

e2e_move 900 650
e2e_start first
FIRST=$PID
# The recorder's lines for the toolbar window: "create|configure <id> x y w h ms", "map|unmap <id> ms".
e2e_check "shown at 0,164 (45x359), then moved only left, 20 steps or more in 200 ms or more, to 44 to 46 \
pixels off the screen, then hidden" awk -v id="$(printf 0x%x "$TOOLBAR")" '
    $2 != id { next }
    !t0 && ($1 == "create" || $1 == "configure") { x = $3; at = $3 " " $4 " " $5 " " $6; next }
    !t0 && $1 == "map" { t0 = $3; ok = at == "0 164 45 359"; next }
    t0 && $1 == "configure" { ok = ok && $3 <= x && $4 == 164; steps += $3 < x; x = $3; next }
    t0 && $1 == "unmap" { t1 = $3; exit }
    END {
        printf "  %d steps to x %d in %d ms\n", steps, x, t1 - t0
        exit !(ok && t1 && steps >= 20 && x <= -44 && x >= -46 && t1 - t0 >= 200) }' "$E2E_REC_LOG"
e2e_events 3 "click 1 900 650"

E2E_EXE=$PORTABLE DISPLAY="unix$DISPLAY.0" e2e_start --no-wait second
e2e_wait 15 "the portable copy's message, on unix$DISPLAY.0" e2e_window "$PID" 'Dimoro Free'
e2e_check "the second copy shows nothing else" test "$(xdotool search --all --onlyvisible --pid "$PID" --name '')" = "$E2E_WINDOW"
e2e_wait -h 1 "it waits for the message to be closed" e2e_running "$PID"
xdotool windowfocus --sync "$E2E_WINDOW" key --clearmodifiers Return || e2e_fail "cannot press Return on the message"
e2e_ended "$PID" 5
e2e_check "Return on the message ends the second copy with code 0 (it was $E2E_CODE)" test "$E2E_CODE" = 0
e2e_check "Dimoro.ini is untouched, the portable one never made" settings_kept
PID=$FIRST
e2e_move 800 600
e2e_events 3 "click 1 800 600"

e2e_mode 378 600 300 "press 1 600 300" # drag
kill -KILL "$FIRST"
e2e_ended "$FIRST" 3
e2e_events 0.5
e2e_check "a stale lock is left, named by user id and display" lock_of "$EUID"
xdotool mouseup 1 # what the user would do
e2e_events 2 "release 1 600 300"
e2e_start_resting 500 300 third
e2e_check "the third copy holds the lock" lock_of "$EUID"
THIRD=$PID
if ((EUID == 0)); then
    chmod 755 "$E2E_TMP" && chmod 1777 "$E2E_TMP/tmp"
    E2E_RUN_AS=(setpriv --reuid=65534 --regid=65534 --clear-groups env -u XDG_RUNTIME_DIR)
    e2e_start other-user
    e2e_check "the user nobody's copy runs beside it, with its own lock" lock_of 65534
    e2e_stop
    E2E_RUN_AS=(env -u XDG_RUNTIME_DIR)
else
    e2e_log "another user's copy is only started as root"
fi
e2e_xvfb
e2e_start --no-wait other-display
e2e_wait 15 "a copy on $DISPLAY starts its toolbar" grep -q '^tooltip 7: ' "$E2E_TMP/other-display.err"
e2e_check "the copy on the first display still runs" e2e_running "$THIRD"

# Desktops at 200% and with two monitors, each on a server of its own, one copy at a time, the middle-click
# button on: the toolbar is 45 x 411 pixels at 100%, too high for a 768-pixel screen at 200%, where it shrinks to
# 42 x 384 (84 x 768 device pixels). The pointer is moved in device pixels.
e2e_stop
printf '2\r\n8\r\n0\r\n\r\n0\r\n1\r\n' >"$INI"
touch "$E2E_TMP/opened.log"
pages() { test "$(wc -l <"$E2E_TMP/opened.log")" -eq "$1"; }
# see_edge <pointer y> <x y width height>: the left edge at that height shows the toolbar there; leaving hides it.
see_edge() {
    e2e_move 0 "$1"
    e2e_wait 2 "$E2E_CASE: the edge at $1 shows the toolbar at ${*:2}" e2e_is "$TOOLBAR" IsViewable "${@:2}"
    e2e_move 300 "$1"
    e2e_wait 2 "$E2E_CASE: leaving it hides it" e2e_is "$TOOLBAR" IsUnMapped
}
for E2E_CASE in Xft.dpi QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS; do
    e2e_desktop 1024x768
    E2E_RUN_AS=(env -u XDG_RUNTIME_DIR "$E2E_CASE=2")
    if [[ $E2E_CASE == Xft.dpi ]]; then
        E2E_RUN_AS=(env -u XDG_RUNTIME_DIR)
        echo 'Xft.dpi: 192' | xrdb -merge || e2e_fail "xrdb failed"
    fi
    e2e_start "$E2E_CASE"
    see_edge 2 0 0 84 768
    see_edge 766 0 0 84 768
    opened=$(wc -l <"$E2E_TMP/opened.log")
    e2e_pick 730
    e2e_wait 4 "$E2E_CASE: a rest on the lowest button, help, opens the help page" pages $((opened + 1))
    e2e_stop
done

# A laptop left of a larger primary monitor: the toolbar is centred on the laptop, and only the laptop's edge shows
# it. When the laptop changes resolution (taken away and put back) the toolbar goes to its new place.
E2E_CASE=laptop E2E_RUN_AS=(env -u XDG_RUNTIME_DIR)
e2e_desktop 3926x1440 laptop 1366/344x768/194+0+0 '*big' 2560/677x1440/381+1366+0
e2e_start laptop
e2e_move 1366 343
e2e_wait -h 0.5 "the primary monitor's left edge does not show it" e2e_is "$TOOLBAR" IsUnMapped
see_edge 343 0 164 45 411
xrandr --delmonitor laptop >/dev/null || e2e_fail "cannot remove the laptop monitor"
xrandr --setmonitor laptop 1280/338x1024/270+0+0 screen >/dev/null || e2e_fail "cannot add the laptop monitor"
see_edge 600 0 292 45 411
e2e_stop

# A left monitor lower than the primary, at twice the primary's scale: the toolbar keeps to that monitor, at its
# scale, and the edge shows it near its top and near its bottom, where device and window pixels differ most.
E2E_CASE=mixed E2E_RUN_AS=(env -u XDG_RUNTIME_DIR 'QT_SCREEN_SCALE_FACTORS=1;2')
e2e_desktop 3200x1500 side 1280/338x1024/270+0+400 '*main' 1920/508x1080/286+1280+0
e2e_start mixed
e2e_move 0 470
e2e_wait -h 0.5 "above the toolbar the edge does not show it" e2e_is "$TOOLBAR" IsUnMapped
see_edge 480 0 472 90 822
see_edge 1290 0 472 90 822
# The exit question keeps its place on the primary monitor: the desktop's own corner is on no monitor here.
e2e_move 0 500
e2e_wait 2 "the toolbar shown" e2e_is "$TOOLBAR" IsViewable
e2e_move 60 500
e2e_wait 4 "a rest on exit asks on the primary monitor" e2e_window "$PID" Exit
e2e_check "at its place there" e2e_is "$E2E_WINDOW" IsViewable 1464 250 247 131

e2e_xvfb -extension XTEST
e2e_start --no-wait no-xtest
e2e_gives_up "the program without XTEST"
e2e_check "without XTEST it ends with code 1 (it was $E2E_CODE)" test "$E2E_CODE" = 1
e2e_check "and says XTEST is missing" grep -q XTEST "$E2E_TMP/no-xtest.err"
e2e_log PASS
