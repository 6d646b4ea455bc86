#!/usr/bin/env bash
# Makes the two feedback sounds in resources/Click. Needs sox; the output is the same on every run
# (no dither, so no random noise), so the committed files can be checked against a fresh run.
set -euo pipefail
out="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/resources/Click"
mkdir -p "$out"
common=(-D -n -r 22050 -b 16 -c 1 -e signed-integer)

# Click: a soft, low knock of 60 ms, quick attack and a long fade.
sox "${common[@]}" "$out/Click1.wav" synth 0.06 sine 880 sine 1320 remix 1-2 \
    fade q 0.003 0.06 0.05 gain -n -14

# Selection: a lighter rising chirp of 90 ms, so that it is not taken for a click.
sox "${common[@]}" "$out/Click2.wav" synth 0.09 sine 1400-2100 \
    fade h 0.01 0.09 0.04 gain -n -20
