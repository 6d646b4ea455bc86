#!/usr/bin/env bash
# make-edge-inputs.sh <folder>: writes the inputs a text-file reader must survive that are too big or too random
# to keep in the repository (the small ones are seeds in corpus/).
set -euo pipefail
mkdir -p "$1"
cd "$1"
head -c 65536 /dev/urandom >garbage-64k.bin
head -c 65536 /dev/zero >nul-64k.bin
# One line of a million bytes; a number of 100 000 digits.
head -c 1000000 /dev/zero | tr '\0' 'A' >huge-line.txt
{ head -c 100000 /dev/zero | tr '\0' '9'; printf '\r\n5\r\n'; } >huge-number.ini
# 100 000 lines, CR LF and lone CR ended.
awk 'BEGIN { for (i = 0; i < 100000; i++) printf "%02d Text %d\r\n", i % 100, i }' >lines-100000-crlf.lng
awk 'BEGIN { for (i = 0; i < 100000; i++) printf "%d\r", i % 3 }' >lines-100000-cr.ini
