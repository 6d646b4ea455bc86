#!/usr/bin/env bash
# make-edge-inputs.sh <folder>: writes the inputs a text-file reader must survive, shaped both as
# Dimoro.ini and as a language file. Too big or too random to keep in the repository.
set -euo pipefail
out=$1
mkdir -p "$out"
cd "$out"
head -c 4096 /dev/urandom >garbage-4k.bin
head -c 65536 /dev/urandom >garbage-64k.bin
head -c 65536 /dev/zero >nul-64k.bin
printf '2\0\r\n5\r\n\0\r\nEng\0lish.lng\r\n1\0\r\n\0' >nul-in-fields.ini
printf 'xx \0Exit\r\nyy\0\r\n\0\0\0\0\r\n' >nul-in-lines.lng
# One line of a million bytes, with and without a line end; a number of 100 000 digits.
head -c 1000000 /dev/zero | tr '\0' 'A' >huge-line.txt
{ head -c 1000000 /dev/zero | tr '\0' 'B'; printf '\r\n'; } >huge-line-crlf.txt
{ head -c 100000 /dev/zero | tr '\0' '9'; printf '\r\n5\r\n'; } >huge-number.ini
# 100 000 lines, CR LF, lone CR and LF ended.
awk 'BEGIN { for (i = 0; i < 100000; i++) printf "%02d Text %d\r\n", i % 100, i }' >lines-100000-crlf.lng
awk 'BEGIN { for (i = 0; i < 100000; i++) printf "%d\r", i % 3 }' >lines-100000-cr.ini
awk 'BEGIN { for (i = 0; i < 100000; i++) printf "\n" }' >lines-100000-empty.txt
printf '2\r5\r0\rEnglish.lng\r1\r0\r' >lone-cr.ini
printf 'aa Uno\rbb Due\r\rcc\rdd Quattro' >lone-cr.lng
printf '2\n5\n0\nEnglish.lng\n1\n0\n' >lf-only.ini
printf '\r\r\n\n\r\n\r' >line-ends-only.txt
printf '"2"\r\n"5\r\n0\r\n"Eng,lish.lng"\r\n"\r\n""\r\n' >quotes.ini
printf '"""""""""""""\r\n"\r\n' >quotes-only.txt
printf 'a1 "Esci"\r\nb2 ,,,\r\nc3 "\r\n' >quotes.lng
printf '2,5,0,English.lng,1,0\r\n' >commas-one-line.ini
printf ',,,,,,,,,,,,\r\n,\r\n' >commas-only.txt
printf ' \t-32768 \r\n+32767\r\n32768\r\n \t Caf\xe9 \x80\x81\x9f\xff.lng \t\r\n-0\r\n+\r\n' >numbers-and-high-bytes.ini
printf '\xef\xbb\xbf2\r\n5\r\n0\r\n\xc3\xa9.lng\r\n1\r\n0\r\n' >utf8-bom.ini
