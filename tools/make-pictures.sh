#!/usr/bin/env bash
# Draws every picture the program uses: the toolbar button faces (also at 2x),
# the toolbar background strip, the hand cursor and the window icon; and the
# icons an installed copy gives the desktop's icon theme (the larger sizes and
# an SVG).
#
# Usage: tools/make-pictures.sh [output-directory [icons-directory]]
#        (default: resources/pictures and resources/icons next to this
#        script's parent)
#
# Needs ImageMagick 6 (`convert`). The output is reproducible: the same input
# gives the same bytes on every run (no timestamps or other metadata).
#
# All drawings are made at SS times their final size and then reduced by
# pixel averaging, which gives clean antialiased edges. MVG coordinates below
# are in final-size pixels with (0,0) at the top-left corner of the picture
# and (W,H) at its bottom-right corner; the "affine" prefix maps them onto
# the oversized canvas.

set -euo pipefail
export LC_ALL=C
export MAGICK_THREAD_LIMIT=1

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out=${1:-"$here/../resources/pictures"}
mkdir -p "$out"
out=$(cd "$out" && pwd)
icons=${2:-"$here/../resources/icons"}
mkdir -p "$icons"
icons=$(cd "$icons" && pwd)

command -v convert >/dev/null || { echo "convert (ImageMagick 6) not found" >&2; exit 1; }

readonly SS=4
readonly AFFINE="affine $SS,0,0,$SS,-0.5,-0.5"

# Palette ---------------------------------------------------------------------
readonly GROUND_N='rgb(40,40,40)'     # button ground, normal face
readonly BORDER_N='rgb(96,96,96)'     # its 1-px border
readonly GROUND_H='rgb(200,30,30)'    # button ground, highlighted face
readonly BORDER_H='rgb(240,120,120)'  # its 1-px border
readonly MARK_N='rgb(235,40,40)'      # marked mouse button, normal face
readonly MARK_H='rgb(255,214,0)'      # marked mouse button, highlighted face
readonly INK='rgb(250,250,250)'       # lines and symbols
readonly BODY='rgb(18,18,18)'         # inside of the mouse body
readonly YELLOW='rgb(255,200,40)'     # screwdriver handle

# Writes a PNG without metadata. $1 = kind (PNG24 or PNG32), $2 = file,
# remaining arguments are convert operators applied before writing.
png_out() {
    local kind=$1 file=$2
    shift 2
    convert "$@" -strip \
        -define png:exclude-chunks=date,time,tEXt,zTXt,iTXt \
        -define png:exclude-chunk=date,time,tEXt,zTXt,iTXt \
        "$kind:$file"
}

# Mouse seen from above -------------------------------------------------------
# mouse MARK MARKCOLOUR DY
#   MARK: none | left | right | middle; DY shifts the drawing down.
# Body 24 x 38 centred on x = 22.5, buttons in the upper part, wheel between
# them; the marked button is filled with MARKCOLOUR.
mouse() {
    local mark=$1 mc=$2 dy=${3:-0}
    local x0=10.5 x1=34.5 xm=22.5 y0=7 y1=45 yb=22 rx=11 ry=12
    cat <<EOF
push graphic-context
translate 0,$dy
stroke none fill $INK
path 'M 21.6,$y0 C 21.6,2.6 27,4.2 28.6,1.0 L 30.4,1.9 C 28.6,6.0 23.4,4.6 23.4,$y0 Z'
fill $BODY
roundrectangle $x0,$y0 $x1,$y1 $rx,$ry
EOF
    case $mark in
        left)
            echo "fill $mc path 'M $xm,$yb L $x0,$yb L $x0,$((y0 + ry)) A $rx,$ry 0 0 1 $((${x0%.*} + rx)).5,$y0 L $xm,$y0 Z'" ;;
        right)
            echo "fill $mc path 'M $xm,$yb L $x1,$yb L $x1,$((y0 + ry)) A $rx,$ry 0 0 0 $((${x1%.*} - rx)).5,$y0 L $xm,$y0 Z'" ;;
    esac
    cat <<EOF
stroke $INK stroke-width 2 fill none
line $xm,$y0 $xm,$yb
line $x0,$yb $x1,$yb
stroke-width 2.6
roundrectangle $x0,$y0 $x1,$y1 $rx,$ry
EOF
    if [[ $mark == middle ]]; then
        echo "stroke none fill $mc roundrectangle 18.8,9 26.2,20 3.4,3.4"
    else
        echo "stroke none fill $INK roundrectangle 20.5,10 24.5,18 2,2"
    fi
    echo "pop graphic-context"
}

# Pause sign in the palm of the mouse.
pause_bars() {
    echo "stroke none fill $INK roundrectangle 17,26.5 20.8,39.5 1,1 roundrectangle 24.2,26.5 28,39.5 1,1"
}

# A bold "2" in the palm of the mouse (shifted by DY).
two() {
    local dy=$1
    cat <<EOF
push graphic-context
translate 0,$dy
stroke $INK stroke-width 2.6 fill none stroke-linecap round stroke-linejoin round
path 'M 18.6,29.0 C 18.6,24.6 26.6,24.4 26.6,29.0 C 26.6,32.0 22.5,34.5 18.6,39.4 L 27.0,39.4'
pop graphic-context
EOF
}

# Diagonal arrow for drag, pointing up and to the right, with a small mouse
# holding its left button at the lower left.
drag() {
    local mc=$1
    cat <<EOF
push graphic-context
translate 0.5,19.5
scale 0.62,0.62
$(mouse left "$mc" 0)
pop graphic-context
stroke $INK stroke-width 4 fill none stroke-linecap round
line 21,29 33.5,16.5
stroke none fill $INK
polygon 41.5,8.5 39.8,23.5 26.5,10.2
EOF
}

# Exit: a bold cross.
cross() {
    cat <<EOF
stroke $INK stroke-width 4.4 fill none stroke-linecap round
line 7,10 19,22
line 19,10 7,22
EOF
}

# Options: a spanner and a screwdriver, crossed. $1 = ground colour (used to
# cut the jaw of the spanner and the hole in its handle).
tools() {
    local ground=$1
    cat <<EOF
push graphic-context
translate 22.5,14
rotate -32
stroke none fill $INK
roundrectangle -14,-2.2 10,2.2 1.5,1.5
circle 12,0 17.6,0
circle -14,0 -10.6,0
fill $ground
rectangle 12,-2.3 19,2.3
circle -14,0 -12.6,0
pop graphic-context
push graphic-context
translate 22.5,14
rotate 32
stroke none fill $INK
rectangle -13,-1.5 4,1.5
polygon -13,-1.5 -16,-0.8 -16,0.8 -13,1.5
fill $YELLOW stroke $ground stroke-width 1
roundrectangle 3,-3.6 16.5,3.6 2.2,2.2
pop graphic-context
EOF
}

# Help: a bold question mark.
question() {
    cat <<EOF
stroke $INK stroke-width 4.4 fill none stroke-linecap round stroke-linejoin round
path 'M 16.6,11.2 C 16.6,3.6 28.4,3.6 28.4,11.2 C 28.4,15.8 22.5,16.2 22.5,20.6 L 22.5,21.4'
stroke none fill $INK
circle 22.5,27.6 22.5,30.4
EOF
}

# face INDEX W H DRAWING-FUNCTION [ARGS...]
# Writes face-INDEX.png (normal) and face-(INDEX+9).png (highlighted), and the
# same drawings at twice the size, face-INDEX@2x.png, for a desktop at 200%
# (their border two pixels wide). In the drawing function's arguments the
# words MARK and GROUND are replaced by the colours of the face being drawn.
face() {
    local idx=$1 w=$2 h=$3
    shift 3
    local variant ground border mark name file mvg args a k frame
    for variant in normal highlighted; do
        if [[ $variant == normal ]]; then
            ground=$GROUND_N border=$BORDER_N mark=$MARK_N name="face-$idx"
        else
            ground=$GROUND_H border=$BORDER_H mark=$MARK_H name="face-$((idx + 9))"
        fi
        args=()
        for a in "$@"; do
            a=${a//MARK/$mark}
            a=${a//GROUND/$ground}
            args+=("$a")
        done
        for k in 1 2; do
            file="$out/$name.png"
            frame="rectangle 0,0 $((w - 1)),$((h - 1))"
            if ((k == 2)); then
                file="$out/$name@2x.png"
                frame="rectangle 0,0 $((2 * w - 1)),$((2 * h - 1)) rectangle 1,1 $((2 * w - 2)),$((2 * h - 2))"
            fi
            mvg="affine $((SS * k)),0,0,$((SS * k)),-0.5,-0.5
$("${args[@]}")"
            png_out PNG24 "$file" \
                -size "$((w * k * SS))x$((h * k * SS))" "xc:$ground" \
                -draw "$mvg" \
                -scale "$((w * k))x$((h * k))!" \
                +antialias -fill none -stroke "$border" -strokewidth 1 \
                -draw "$frame"
        done
    done
}

mouse_and() { # mouse_and MARK COLOUR DY EXTRA-FUNCTION [EXTRA-ARGS...]
    local mark=$1 mc=$2 dy=$3
    shift 3
    mouse "$mark" "$mc" "$dy"
    "$@"
}

face 0 26 32 cross
face 1 45 50 mouse_and none MARK 0 pause_bars
face 2 45 52 mouse_and left MARK 1 two 1
face 3 45 50 mouse left MARK 0
face 4 45 50 drag MARK
face 5 45 50 mouse right MARK 0
face 6 45 50 mouse middle MARK 0
face 7 45 28 tools GROUND
face 8 45 33 question

# Toolbar background: 54 x 1, a subtle left-to-right gradient around 64.
png_out PNG24 "$out/background.png" \
    -size 1x54 'gradient:rgb(72,72,72)-rgb(58,58,58)' -rotate 90 -flop

# Hand cursor -----------------------------------------------------------------
# A pointing hand, index finger straight up, white with a black outline.
# Its hotspot (the fingertip) is written to hand-hotspot.txt.
hand_shapes() {
    cat <<EOF
roundrectangle 9,1.2 14,19 2.5,2.5
roundrectangle 14,10.5 18.5,20 2.2,2.2
roundrectangle 18.5,11.5 23,20 2.2,2.2
roundrectangle 23,12.8 27.2,21 2.1,2.1
path 'M 9,16 L 27.2,16 L 27.2,24 C 27.2,27.5 25,30.4 21.5,30.4 L 14,30.4 C 11.5,30.4 10,29 8.6,27 L 3.8,20.2 C 2.6,18.5 4.6,16.4 6.4,17.6 L 9,19.6 Z'
EOF
}
hand_mvg="$AFFINE
stroke black stroke-width 2.6 stroke-linejoin round fill black
$(hand_shapes)
stroke none fill white
$(hand_shapes)
stroke black stroke-width 1 stroke-linecap butt fill none
line 14.5,13 14.5,18.5
line 18.5,13.5 18.5,18.5
line 22.5,14.5 22.5,18.5"
png_out PNG32 "$out/hand.png" \
    -size "$((32 * SS))x$((32 * SS))" xc:none -draw "$hand_mvg" -scale 32x32!
echo "11 0" >"$out/hand-hotspot.txt"

# Window icon -----------------------------------------------------------------
# A pointer arrow resting on a red clock ring. Drawn in a 64 x 64 design
# space; strokes get relatively heavier at small sizes so they stay visible.
# icon SIZE [FILE]
icon() {
    local size=$1 file=${2:-"$out/icon-$1.png"}
    local k ow rw hw
    k=$(awk -v s="$size" -v ss="$SS" 'BEGIN { printf "%.6f", s / 64 * ss }')
    ow=$(awk -v s="$size" 'BEGIN { w = 64 / s * 0.9; if (w < 2.6) w = 2.6; printf "%.3f", w }')
    rw=$(awk -v s="$size" 'BEGIN { w = 64 / s * 1.6; if (w < 7) w = 7; printf "%.3f", w }')
    hw=$(awk -v s="$size" 'BEGIN { w = 64 / s * 1.2; if (w < 4) w = 4; printf "%.3f", w }')
    local mvg="affine $k,0,0,$k,-0.5,-0.5
stroke $MARK_N stroke-width $rw fill rgb(36,36,36)
circle 40,40 40,61
stroke white stroke-width $hw stroke-linecap round fill none
line 40,40 40,27
line 40,40 50,46
stroke black stroke-width $ow stroke-linejoin round fill white
polygon 4,3 4,44 14,35 21,50 28,47 21,32.5 34,32.5"
    png_out PNG32 "$file" \
        -size "$((size * SS))x$((size * SS))" xc:none -draw "$mvg" -scale "${size}x${size}!"
}
for size in 16 24 32 48 64; do
    icon "$size"
done
convert "$out/icon-16.png" "$out/icon-24.png" "$out/icon-32.png" \
    "$out/icon-48.png" "$out/icon-64.png" -strip "ICO:$out/dimoro.ico"

# The icon theme takes the sizes above from the pictures folder, these two
# larger ones, and the same drawing as SVG (the strokes of the 64-pixel one).
for size in 128 256; do
    icon "$size" "$icons/icon-$size.png"
done
cat >"$icons/dimoro-free.svg" <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">
  <circle cx="40" cy="40" r="21" fill="rgb(36,36,36)" stroke="$MARK_N" stroke-width="7"/>
  <path d="M 40,40 L 40,27 M 40,40 L 50,46" fill="none" stroke="white" stroke-width="4" stroke-linecap="round"/>
  <polygon points="4,3 4,44 14,35 21,50 28,47 21,32.5 34,32.5" fill="white" stroke="black" stroke-width="2.6" stroke-linejoin="round"/>
</svg>
EOF

# Exit question ---------------------------------------------------------------
# A laughing face, 42 x 40, as a 24-bit bitmap on magenta (#FF00FF): the dialog
# cuts the magenta away. The face is drawn antialiased on transparency, its
# soft edge blended onto the dialog's dark grey, and every pixel less than a
# quarter covered becomes pure magenta, so no pink fringe survives.
# The same face, on transparency, is the dialog's window icon (32, 24, 16).
readonly DIALOG_GREY='rgb(64,64,64)'
laughing_face() {
    cat <<EOF
stroke rgb(30,30,30) stroke-width 1.6 fill rgb(255,206,40)
circle 21,20 21,2.6
stroke rgb(30,30,30) stroke-width 1.8 fill none stroke-linecap round stroke-linejoin round
path 'M 11.5,16 L 16,13 L 11.5,10.2'
path 'M 30.5,16 L 26,13 L 30.5,10.2'
stroke rgb(30,30,30) stroke-width 1.4 fill rgb(120,20,20)
path 'M 9.5,21 L 32.5,21 C 32.5,28.6 27.4,33.6 21,33.6 C 14.6,33.6 9.5,28.6 9.5,21 Z'
stroke none fill rgb(240,90,90)
path 'M 14.6,30.6 C 16.8,27.4 25.2,27.4 27.4,30.6 C 25.6,32.6 23.4,33.2 21,33.2 C 18.6,33.2 16.4,32.6 14.6,30.6 Z'
fill white
rectangle 11.2,21.8 30.8,24.2
fill rgb(90,170,255)
path 'M 7.2,17.6 C 5.6,20.6 4.6,22.4 4.6,23.6 C 4.6,25.2 6.8,25.6 7.6,24.2 C 8.2,23.2 7.8,20.6 7.2,17.6 Z'
path 'M 34.8,17.6 C 36.4,20.6 37.4,22.4 37.4,23.6 C 37.4,25.2 35.2,25.6 34.4,24.2 C 33.8,23.2 34.2,20.6 34.8,17.6 Z'
EOF
}
# face_layer W H FILE: the face scaled to W x H final pixels, antialiased, on transparency.
face_layer() {
    local w=$1 h=$2 file=$3
    local kx ky
    kx=$(awk -v w="$w" -v ss="$SS" 'BEGIN { printf "%.6f", w / 42 * ss }')
    ky=$(awk -v h="$h" -v ss="$SS" 'BEGIN { printf "%.6f", h / 40 * ss }')
    png_out PNG32 "$file" -size "$((w * SS))x$((h * SS))" xc:none \
        -draw "affine $kx,0,0,$ky,-0.5,-0.5
$(laughing_face)" -scale "${w}x${h}!"
}
layer=$(mktemp --suffix=.png)
face_layer 42 40 "$layer"
convert \( "$layer" -background "$DIALOG_GREY" -flatten \) \
    \( "$layer" -alpha extract -threshold 25% \) \
    -alpha off -compose CopyOpacity -composite \
    -background 'rgb(255,0,255)' -alpha remove -alpha off -strip -type TrueColor "BMP3:$out/laughing.bmp"
rm -f "$layer"
for size in 16 24 32; do
    face_layer "$size" "$size" "$out/exit-icon-$size.png"
done

# Options dialog pictures --------------------------------------------------------
# The logo (109 x 105): the window icon's pointer and clock ring, large, on the
# dialog's dark grey, with the ring's quarter marks. The donations picture
# (62 x 31): a red heart beside a gold coin on a dark rounded plate.
readonly GOLD='rgb(255,200,40)'
readonly GOLD_DARK='rgb(190,140,20)'
logo_mvg="$AFFINE
stroke $MARK_N stroke-width 9 fill rgb(36,36,36)
circle 64,62 64,96
stroke white stroke-width 4 stroke-linecap round fill none
line 64,62 64,42
line 64,62 80,71
stroke $INK stroke-width 3
line 64,24 64,30
line 102,62 96,62
line 64,100 64,94
line 26,62 32,62
stroke black stroke-width 2.6 stroke-linejoin round fill white
polygon 8,6 8,70 23,56 34,80 45,75 34,52 54,52"
png_out PNG24 "$out/logo.png" \
    -size "$((109 * SS))x$((105 * SS))" "xc:$DIALOG_GREY" -draw "$logo_mvg" -scale 109x105!

donations_mvg="$AFFINE
stroke $BORDER_N stroke-width 1 fill rgb(40,40,40)
roundrectangle 0.5,0.5 61.5,30.5 6,6
stroke none fill $MARK_N
path 'M 20,25 C 10,18 6,14 6,10 C 6,6 9,4 12,4 C 15,4 18,6 20,9 C 22,6 25,4 28,4 C 31,4 34,6 34,10 C 34,14 30,18 20,25 Z'
stroke $GOLD_DARK stroke-width 2 fill $GOLD
circle 46,15.5 46,5.5
stroke $GOLD_DARK stroke-width 1.6 fill none
circle 46,15.5 46,9.5
line 46,11.5 46,19.5"
png_out PNG24 "$out/donations.png" \
    -size "$((62 * SS))x$((31 * SS))" "xc:$DIALOG_GREY" -draw "$donations_mvg" -scale 62x31!

# About box pictures --------------------------------------------------------------
# The logo (77 x 75): the options logo's pointer and clock ring, reduced, on the
# box's white. The credits picture (150 x 120, 24-bit BMP): a pointer resting on
# a button while a ring fills round its tip, the moment before the click.
readonly ABOUT_BLUE='rgb(2,92,202)'
about_scale=$(awk -v ss="$SS" 'BEGIN { printf "%.6f", 77 / 109 * ss }')
png_out PNG24 "$out/about-logo.png" \
    -size "$((77 * SS))x$((75 * SS))" xc:white \
    -draw "affine $about_scale,0,0,$about_scale,-0.5,-0.5
${logo_mvg#"$AFFINE"}" -scale 77x75!

credits_mvg="$AFFINE
stroke rgb(180,200,230) stroke-width 2 fill rgb(236,243,252)
roundrectangle 3,3 147,117 12,12
stroke rgb(1,60,140) stroke-width 1.5 fill $ABOUT_BLUE
roundrectangle 20,47 104,73 7,7
stroke rgb(215,225,240) stroke-width 6 fill none
circle 62,60 62,32
stroke rgb(250,170,30) stroke-linecap round stroke-linejoin round fill none
polyline $(awk 'BEGIN { for (a = -90; a <= 180; a += 6) printf "%.2f,%.2f ", 62 + 28 * cos(a * 3.14159265 / 180), 60 + 28 * sin(a * 3.14159265 / 180) }')
stroke $MARK_N stroke-width 3
line 100,26 110,16
line 106,40 121,38
line 88,20 90,6
stroke black stroke-width 2.4 stroke-linejoin round fill white
polygon 62,60 62,104 73,94 81,112 89,108 81,91 96,91"
convert -size "$((150 * SS))x$((120 * SS))" xc:white -draw "$credits_mvg" -scale 150x120! \
    -strip -type TrueColor "BMP3:$out/credits.bmp"

echo "pictures written to $out"
