#!/usr/bin/env bash
# wine.sh <state> <exe> [args...]: runs a Windows program under Wine on an X server of its own, with the
# prefix, HOME and locales kept in <state> for the next run. Nothing outside <state> is touched.
set -euo pipefail
state=$(mkdir -p "${1:?state folder}" && cd "$1" && pwd)
shift
# No prompts for the .NET and HTML engines a fresh prefix would offer to download. The language follows LANG.
export WINEPREFIX=$state/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" HOME=$state/home LOCPATH=$state/locales LC_ALL=
mkdir -p "$HOME" "$LOCPATH"
# Wine follows LANG only to a locale the C library knows.
for locale in it_IT fr_FR es_ES de_DE; do
    [[ -d $LOCPATH/$locale.UTF-8 ]] || localedef -i $locale -f UTF-8 "$LOCPATH/$locale.UTF-8"
done
# The session's processes end before the X server does.
# shellcheck disable=SC2016 # expanded by the inner shell
exec xvfb-run -a -s "-screen 0 1024x768x24" bash -c 'wine "$@"; status=$?; wineserver -k; exit $status' wine "$@"
