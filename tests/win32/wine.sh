#!/usr/bin/env bash
# Runs the Windows tests under Wine, each in the same private session kept in one state folder:
#
#   wine.sh start <state>                 X server, Wine prefix, locales (the prefix and locales are kept
#                                         for the next run; the X server and wineserver are not)
#   wine.sh run <state> <exe> [args...]   one test program in that session (CTest's emulator)
#   wine.sh stop <state>                  ends the wineserver and the X server that start began
#
# Nothing outside <state> is touched: WINEPREFIX, HOME (with an .asoundrc whose default device
# discards the sound) and LOCPATH all point inside it.
set -euo pipefail

command=${1:?usage: wine.sh start|run|stop <state> ...}
state=$(mkdir -p "${2:?state folder}" && cd "$2" && pwd)
shift 2

LOCALES=(it_IT fr_FR es_ES de_DE)

export WINEPREFIX=$state/prefix
export WINEDEBUG=-all
# No prompts for the .NET and HTML engines that a fresh prefix would offer to download.
export WINEDLLOVERRIDES="mscoree,mshtml="
export HOME=$state/home
export LOCPATH=$state/locales

if ! command -v wine >/dev/null || ! command -v Xvfb >/dev/null; then
    echo "wine or Xvfb is not installed" >&2
    exit 1
fi

case $command in
start)
    began=$EPOCHREALTIME
    mkdir -p "$HOME" "$LOCPATH"
    printf 'pcm.!default { type null }\n' >"$HOME/.asoundrc"
    # GetLocaleInfo follows LANG only for a locale the C library knows.
    for locale in "${LOCALES[@]}"; do
        [[ -d "$LOCPATH/$locale.UTF-8" ]] || localedef -i "$locale" -f UTF-8 "$LOCPATH/$locale.UTF-8"
    done
    # Whatever an interrupted run left behind in this state folder goes first.
    wineserver -k 2>/dev/null || true
    if [[ -s "$state/xvfb.pid" ]]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    fi
    # A screen of the size the tests expect; the server's fds are closed so that CTest does not wait on it.
    rm -f "$state/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$state/display" </dev/null \
        >"$state/xvfb.log" 2>&1 &
    echo $! >"$state/xvfb.pid"
    for _ in $(seq 200); do
        grep -q '^[0-9][0-9]*$' "$state/display" 2>/dev/null && break
        sleep 0.05
    done
    grep -q '^[0-9][0-9]*$' "$state/display" || { echo "Xvfb did not start" >&2; exit 1; }
    DISPLAY=":$(head -n 1 "$state/display")"
    export DISPLAY
    # One wineserver for every test of the run, ended by stop.
    mkdir -p "$WINEPREFIX"
    setsid wineserver -p </dev/null >/dev/null 2>&1
    wineboot -i </dev/null >"$state/wineboot.log" 2>&1
    # The ALSA driver, which the .asoundrc above serves; there is no PulseAudio here.
    wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d alsa /f </dev/null >/dev/null 2>&1
    echo "Wine session ready on $DISPLAY in $(awk -v a="$began" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f", b - a }') s"
    ;;
run)
    [[ -s "$state/display" ]] || { echo "no Wine session: run 'wine.sh start $state' first" >&2; exit 1; }
    DISPLAY=":$(head -n 1 "$state/display")"
    export DISPLAY
    exec wine "$@"
    ;;
stop)
    wineserver -k 2>/dev/null || true
    if [[ -s "$state/xvfb.pid" ]]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
        rm -f "$state/xvfb.pid" "$state/display"
    fi
    ;;
*)
    echo "unknown command $command" >&2
    exit 2
    ;;
esac
