#!/usr/bin/env bash
# The Debian package of a build tree, checked by the ecosystem's own tools: the desktop entry by
# desktop-file-validate and the AppStream data by appstreamcli, the package by lintian: no errors or
# warnings from any of them (docs/packaging.md lists the notes kept). As root it is then installed with
# apt-get, every file it lists must exist, `dimoro --version` must run from PATH, and after apt-get remove
# none of its files may be left.
# Usage: tests/package/check.sh <build folder>
# (the checks' own small scripts in single quotes, their functions called through check)
# shellcheck disable=SC2016,SC2317
set -uo pipefail
build=$(cd "${1:?usage: $0 <build folder>}" && pwd)
for tool in cpack dpkg-deb desktop-file-validate appstreamcli lintian; do
    command -v "$tool" >/dev/null || { echo "package: SKIP ($tool is not installed)"; exit 77; }
done
work=$(mktemp -d "${TMPDIR:-/tmp}/dimoro-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
failed=0
check() {
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
    else
        echo "FAIL: $what"
        failed=1
    fi
}
# quiet <file> <command...>: the command must succeed and print nothing; what it printed is shown otherwise.
quiet() {
    local out=$1
    shift
    if "$@" >"$out" 2>&1 && ! [ -s "$out" ]; then
        return 0
    fi
    cat "$out"
    return 1
}

(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/dimoro-free_*.deb)
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
dpkg-deb -f "$deb" Package Version Depends Recommends Installed-Size
check "Depends computed from the program's libraries" \
    bash -c 'dpkg-deb -f "$1" Depends | grep -q "libqt6widgets6" && dpkg-deb -f "$1" Depends | grep -q "libxtst6"' _ "$deb"

dpkg-deb -x "$deb" "$work/root"
check "desktop-file-validate: nothing to say" quiet "$work/desktop.log" \
    desktop-file-validate "$work"/root/usr/share/applications/*.desktop
appstreamcli validate --no-net "$work"/root/usr/share/metainfo/*.metainfo.xml >"$work/appstream.log" 2>&1
appstream_status=$?
cat "$work/appstream.log"
check "appstreamcli validate: no errors or warnings" \
    bash -c '(($1 == 0)) && ! grep -qE "^[EW]: " "$2"' _ "$appstream_status" "$work/appstream.log"

lintian --display-info --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1
cat "$work/lintian.log"
check "lintian: no errors or warnings" bash -c '! grep -qE "^[EW]: " "$1"' _ "$work/lintian.log"

if ((EUID != 0)); then
    echo "package: installing needs root; install, file and removal checks skipped"
elif dpkg-query -W -f='${Status}' dimoro-free 2>/dev/null | grep -q 'ok installed'; then
    echo "package: dimoro-free is installed on this machine already; left alone, install checks skipped"
else
    apt=(apt-get -q -y -o DPkg::Lock::Timeout=120)
    DEBIAN_FRONTEND=noninteractive "${apt[@]}" install --no-install-recommends "$deb" >"$work/apt.log" 2>&1 ||
        { cat "$work/apt.log"; exit 1; }
    dpkg -L dimoro-free >"$work/listed.txt"
    check "every file dpkg -L lists exists ($(wc -l <"$work/listed.txt"))" \
        bash -c 'while read -r path; do [ -e "$path" ] || { echo "missing: $path"; exit 1; }; done <"$1"' _ "$work/listed.txt"
    check "dimoro --version runs from PATH" bash -c 'cd / && env -u DISPLAY dimoro --version'
    check "the manual page opens" bash -c 'man -w dimoro | grep -q "^/usr/share/man/man1/dimoro.1.gz$"'
    DEBIAN_FRONTEND=noninteractive "${apt[@]}" remove dimoro-free >>"$work/apt.log" 2>&1 || { cat "$work/apt.log"; exit 1; }
    # Folders the package shares with others (/usr/share/applications...) stay; its own go with its files.
    check "apt-get remove leaves none of its files" \
        bash -c 'while read -r path; do [ -d "$path" ] || ! [ -e "$path" ] || { echo "left: $path"; exit 1; }; done <"$1"
                 for dir in /usr/share/dimoro-free /usr/share/doc/dimoro-free; do ! [ -e "$dir" ] || { echo "left: $dir"; exit 1; }; done' \
        _ "$work/listed.txt"
fi
((failed == 0)) && echo "package: PASS" || echo "package: FAIL"
exit "$failed"
