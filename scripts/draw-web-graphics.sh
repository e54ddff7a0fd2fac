#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the pictures that published web pages use: the eight page icons and the background
# tiles with their previews, into resources/web-graphics/. The build uses the committed files;
# run this only to redraw them. Needs ImageMagick 6 ("convert") and the DejaVu fonts.
# Every picture comes out the same on each run: noise is seeded, and ImageMagick runs on one
# thread so the noise is drawn in the same order.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
icons=$root/resources/web-graphics/Icons
backgrounds=$root/resources/web-graphics/Backgrounds
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export MAGICK_THREAD_LIMIT=1
mkdir -p "$icons" "$backgrounds"

tile=128

# ---------------------------------------------------------------------------------------------
# Icons, drawn pixel by pixel: at 16 by 16 a hand-placed pixel reads better than a scaled drawing.
# Colours follow the program's own icons; "None" is transparent.

icon() { # NAME, XPM on standard input
    convert xpm:- -strip "GIF:$icons/$1"
}

icon folder.gif <<'XPM'
/* XPM */
static char *folder[] = {
"15 13 5 1",
". c None", "o c #8A6414", "l c #FFE49A", "y c #F5C542", "d c #D69E1E",
".ooooo.........",
"olllllo........",
"ollllllooooooo.",
"olllllllllllllo",
"olyyyyyyyyyyydo",
"olyyyyyyyyyyydo",
"olyyyyyyyyyyydo",
"olyyyyyyyyyyydo",
"olyyyyyyyyyyydo",
"olyyyyyyyyyyydo",
"olyyyyyyyyyyydo",
"odddddddddddddo",
".ooooooooooooo.",
};
XPM

icon org.gif <<'XPM'
/* XPM */
static char *org[] = {
"16 16 7 1",
". c None", "o c #3A4654", "w c #D9E2EC", "s c #AEB9C6", "b c #6FA8E8", "B c #3574D4",
"d c #8A5A2B",
"................",
"..oooooooooooo..",
"..owwwwwwwwwso..",
"..owbbwbbwbbso..",
"..owBBwBBwBBso..",
"..owwwwwwwwwso..",
"..owbbwbbwbbso..",
"..owBBwBBwBBso..",
"..owwwwwwwwwso..",
"..owbbwbbwbbso..",
"..owBBwBBwBBso..",
"..owwwwwwwwwso..",
"..owwwwddwwwso..",
"..owwwwddwwwso..",
"..owwwwddwwwso..",
".oooooooooooooo.",
};
XPM

icon person.gif <<'XPM'
/* XPM */
static char *person[] = {
"16 16 4 1",
". c None", "o c #1F4E9A", "b c #3574D4", "h c #7FAAEC",
"................",
"......oooo......",
".....obbbbo.....",
"....obhbbbbo....",
"....obbbbbbo....",
"....obbbbbbo....",
".....obbbbo.....",
"......oooo......",
"................",
"....oooooooo....",
"..oobhbbbbbboo..",
".obhbbbbbbbbbbo.",
".obbbbbbbbbbbbo.",
"obbbbbbbbbbbbbbo",
"obbbbbbbbbbbbbbo",
"oooooooooooooooo",
};
XPM

icon team.gif <<'XPM'
/* XPM */
static char *team[] = {
"16 16 7 1",
". c None", "o c #1F4E9A", "b c #3574D4", "h c #7FAAEC", "O c #146B61", "t c #22998C",
"H c #6CC7BC",
".........OOOO...",
"........OtHttO..",
"........OttttO..",
"........OttttO..",
"....oooo.OOOO...",
"...obhbbo.......",
"...obbbboOOOOO..",
"...obbbboHttttO.",
"....ooootttttttO",
"......OttttttttO",
"...ooooooOOOOOOO",
"..obhbbbbo......",
".obbbbbbbbo.....",
"obbbbbbbbbbo....",
"obbbbbbbbbbo....",
"oooooooooooo....",
};
XPM

icon web.gif <<'XPM'
/* XPM */
static char *web[] = {
"16 16 4 1",
". c None", "o c #1F4E9A", "b c #4A90D9", "g c #5DB85C",
"................",
".....ooooo......",
"...ooggggboo....",
"..ogggggggbbo...",
".oggggggggbggo..",
".ogggggggbbggo..",
"obbggggggbbggbo.",
"obbbggggbbbgggo.",
"obbbbggbbbggggo.",
"obbbbbgggbbgggo.",
"obbbbbggggbbggo.",
".obbbbbgggbbgo..",
".obbbbbggbbbbo..",
"..obbbbgbbbbo...",
"...oobbbbboo....",
".....ooooo......",
};
XPM

icon kpx_16.gif <<'XPM'
/* XPM */
static char *kpx_16[] = {
"16 16 8 1",
". c None", "D c #1F4E9A", "B c #3574D4", "W c #FFFFFF", "Y c #F0B443", "T c #22998C",
"R c #D64545", "h c #5C92E2",
"................",
"..DDDDDDDDDD....",
".DhhhhhhhhhhD...",
".DhBBBBBBBBBDYY.",
".DhBBBWWBBBBDYY.",
".DhBBWWWWBBBDYY.",
".DhBBWWWWBBBD...",
".DhBBWWWWBBBDTT.",
".DhBBBWWBBBBDTT.",
".DhBBBBBBBBBDTT.",
".DhBBBWWWWBBD...",
".DhBWWWWWWWBDRR.",
".DhWWWWWWWWWDRR.",
".DhWWWWWWWWWDRR.",
"..DDDDDDDDDD....",
"................",
};
XPM

icon vcard.gif <<'XPM'
/* XPM */
static char *vcard[] = {
"16 16 8 1",
". c None", "O c #55657A", "W c #FFFFFF", "P c #D6E4F7", "b c #3574D4", "N c #1F4E9A",
"L c #9AA7B6", "m c #86ACE6",
"................",
"................",
".OOOOOOOOOOOOOO.",
"OWWWWWWWWWWWWWWO",
"OWPPPPPPWWWWWWWO",
"OWPmbbmPWNNNNNWO",
"OWPbbbbPWWWWWWWO",
"OWPbbbbPWLLLLLWO",
"OWPmbbmPWWWWWWWO",
"OWPPPPPPWLLLLWWO",
"OWPmbbmPWWWWWWWO",
"OWmbbbbmWLLLLLWO",
"OWWWWWWWWWWWWWWO",
".OOOOOOOOOOOOOO.",
"................",
"................",
};
XPM

# The "made with" button: the program's icon at twice its size beside the name, on a light
# rounded plate; the corners outside the plate are transparent.
convert "$icons/kpx_16.gif" -scale 200% "$work/logo.png"
convert \
    \( -size 120x40 gradient:'#FFFFFF-#D6E3F6' \) \
    \( -size 120x40 xc:black -fill white -draw 'roundrectangle 0,0 119,39 6,6' -threshold 50% \) \
    -alpha off -compose CopyOpacity -composite -compose Over \
    -fill none -stroke '#1F4E9A' -strokewidth 1 -draw 'roundrectangle 0.5,0.5 119.5,39.5 6,6' \
    "$work/logo.png" -geometry +5+4 -composite \
    -stroke none -fill '#1F4E9A' -font DejaVu-Sans-Bold -pointsize 16 -annotate +42+21 'Quillary' \
    -fill '#55657A' -font DejaVu-Sans-Condensed -pointsize 9 -annotate +42+33 'contact manager' \
    -strip "GIF:$icons/zelkbtn.gif"

# ---------------------------------------------------------------------------------------------
# Backgrounds: pale tiles of 128 by 128 that repeat without a visible seam, so black text
# stays readable on them. Each NAME.gif is the tile a page uses; NAME.bmp is the 137 by 129
# preview the publishing wizard shows, the same tile repeated.

# A small linear congruential generator, so scattered shapes land in the same places on
# every machine (bash's $RANDOM differs between versions).
rng=1
random() { # N: sets REPLY to 0 .. N-1
    rng=$(((rng * 1103515245 + 12345) % 2147483648))
    REPLY=$(((rng / 65536) % $1))
}

# Seamless grey noise: random pixels blurred with the picture wrapping round at its edges,
# one layer per blur radius given, each layer half as strong as the one before. The weights
# add up to 1, so the sum never clips.
noise() { # OUT SEED SIGMA...
    local out=$1 seed=$2
    shift 2
    local layers=() weights=() total
    total=$(awk "BEGIN { print 2 - 2^(1 - $#) }")
    for sigma in "$@"; do
        layers+=(\( -clone 0 -blur "0x$sigma" -auto-level \))
        weights+=("$(awk "BEGIN { print 2^(-${#weights[@]}) / $total }"),1")
    done
    convert -size ${tile}x$tile xc:gray50 -seed "$seed" +noise Random -channel G -separate +channel \
        -virtual-pixel tile "${layers[@]}" -delete 0 -poly "${weights[*]}" -auto-level "$out"
}

# Draws MVG in tile coordinates so that a shape crossing an edge comes back on the opposite
# side: draw on a canvas three tiles wide around the tile, then stack its nine parts.
wrapped() { # OUT (MVG on standard input), transparent elsewhere
    local size=$((tile * 3))
    { echo "translate $tile,$tile"; cat; } >"$work/shapes.mvg"
    convert -size ${size}x$size xc:none -draw "$(<"$work/shapes.mvg")" \
        -crop ${tile}x$tile +repage -background none -flatten "$1"
}

# Writes NAME.gif (the tile, at most 64 colours) and NAME.bmp (the preview, a palette bitmap of
# at most 8 bits a pixel, which keeps it small).
background() { # NAME SOURCE
    convert "$2" -alpha off -treedepth 8 -dither None -colors 64 -strip "GIF:$backgrounds/$1.gif"
    convert -size 137x129 "tile:$backgrounds/$1.gif" -type Palette -strip "BMP3:$backgrounds/$1.bmp"
}

# A grey picture coloured between a darker and a lighter pale colour.
tinted() { # NAME GREY DARK LIGHT [extra convert options...]
    local name=$1 grey=$2 dark=$3 light=$4
    shift 4
    convert "$grey" "$@" +level-colors "$dark,$light" "$work/$name.png"
    background "$name" "$work/$name.png"
}

# Clouds: soft large-scale noise in four tints.
noise "$work/c1.png" 11 16 8 4 2
tinted cloud1 "$work/c1.png" '#D4E6F8' '#FFFFFF' -sigmoidal-contrast 3,50%
noise "$work/c2.png" 12 16 8 4 2
tinted cloud2 "$work/c2.png" '#DEDFE4' '#FFFFFF' -sigmoidal-contrast 3,50%
noise "$work/c3.png" 13 16 8 4 2
tinted cloud3 "$work/c3.png" '#F6DCD8' '#FFFAF2' -sigmoidal-contrast 3,50%
noise "$work/c4.png" 14 16 8 4 2
tinted cloud4 "$work/c4.png" '#E2DDF4' '#FBFFFB' -sigmoidal-contrast 3,50%

# Concrete, sand and soil: fine grain over a few soft patches.
noise "$work/concrete.png" 21 12 3 0.6 0.4
tinted concrete "$work/concrete.png" '#D9D7D2' '#F6F5F2'
noise "$work/sand.png" 22 0.5 6
convert "$work/sand.png" -fx "0.75*u + 0.25*(0.5 + 0.5*sin(2*pi*(3*j/h + 0.15*u)))" "$work/sand-ripples.png"
tinted sand "$work/sand-ripples.png" '#EBDFC4' '#FBF6EA'
noise "$work/soil.png" 23 0.4 1.5 8
tinted soil "$work/soil.png" '#DCCDB8' '#F6F0E6'

# Chalk: horizontal strokes of white on pale grey.
convert -size ${tile}x$tile xc:gray50 -seed 31 +noise Random -channel G -separate +channel \
    -virtual-pixel tile -morphology Convolve 'Blur:0x9' -blur 0x0.6 -auto-level "$work/chalk.png"
tinted chalk "$work/chalk.png" '#E4E6E6' '#FFFFFF'

# Smears: noise dragged along a diagonal. ImageMagick turns only 3 by 3 kernels by 45 degrees,
# so the diagonal line is spelled out.
diagonal() { # N, down or up: an N by N kernel that is 1 along one diagonal
    local n=$1 rows=() row x y
    for ((y = 0; y < n; y++)); do
        row=()
        for ((x = 0; x < n; x++)); do
            if (($2 == 1 ? x == y : x == n - 1 - y)); then row+=(1); else row+=(0); fi
        done
        rows+=("$(IFS=,; echo "${row[*]}")")
    done
    echo "${n}x$n: ${rows[*]}"
}
for smear in "smear1 41 1 #DEE8D6 #FAFCF7" "smear2 42 0 #F2DCE1 #FFFAFB"; do
    read -r name seed down dark light <<<"$smear"
    convert -size ${tile}x$tile xc:gray50 -seed "$seed" +noise Random -channel G -separate +channel \
        -virtual-pixel tile -define convolve:scale='!' -morphology Convolve "$(diagonal 17 "$down")" \
        -blur 0x1 -auto-level "$work/$name.png"
    tinted "$name" "$work/$name.png" "$dark" "$light"
done

# Fire: flickering upward tongues in pale yellow and orange.
convert -size ${tile}x$tile xc:gray50 -seed 51 +noise Random -channel G -separate +channel \
    -virtual-pixel tile \( -clone 0 -morphology Convolve 'Blur:0x10,90' -auto-level \) \
    \( -clone 0 -blur 0x5 -auto-level \) -delete 0 -poly '0.7,1 0.3,1' -auto-level "$work/fire.png"
convert "$work/fire.png" \( -size 1x3 xc:'#FCE0C4' xc:'#FFEFCF' xc:'#FFFBEA' -append -resize '1x256!' \) \
    -clut "$work/fire-coloured.png"
background fire "$work/fire-coloured.png"

# Marble: veins that follow the noise.
noise "$work/marble.png" 61 12 6 3
convert "$work/marble.png" -fx "pow(abs(sin(2*pi*(i/w + j/h) + 5*u)), 0.35)" "$work/marble-veins.png"
tinted marble "$work/marble-veins.png" '#D5D0DA' '#FBFAF8'

# Stone and terrain2: noise lit from the upper left.
noise "$work/stone.png" 71 8 3 1
convert "$work/stone.png" -virtual-pixel tile -shade 120x40 -auto-level "$work/stone-lit.png"
tinted stone "$work/stone-lit.png" '#D6D4CE' '#F7F6F2'
noise "$work/terrain2.png" 72 14 6 2
convert "$work/terrain2.png" -virtual-pixel tile -shade 120x50 -auto-level "$work/terrain2-lit.png"
tinted terrain2 "$work/terrain2-lit.png" '#DDD2BA' '#FBF7EE'

# Terrain1: contour lines of the noise as a map would draw them: the edges between height bands.
noise "$work/terrain1.png" 81 16 8 4
convert "$work/terrain1.png" -fx "floor(8*u)/8" -virtual-pixel tile -morphology EdgeIn Diamond:1 \
    -threshold 0 -negate "$work/terrain1-lines.png"
tinted terrain1 "$work/terrain1-lines.png" '#C5D6B4' '#F3F8EE'

# Terrain3: heights coloured as on a map, from shallow water to pale summits.
noise "$work/terrain3.png" 82 16 8 4 2
convert "$work/terrain3.png" -equalize \
    \( -size 1x5 xc:'#DCEAF6' xc:'#E4F0DC' xc:'#EEF0D6' xc:'#F5E9D5' xc:'#FBF8F3' -append -resize '1x256!' \) \
    -clut "$work/terrain3-coloured.png"
background terrain3 "$work/terrain3-coloured.png"

# Speckle: a few small flecks in three pale colours on off-white.
convert -size ${tile}x$tile xc:gray50 -seed 91 +noise Random -channel G -separate +channel \
    -threshold 97% "$work/speckle-mask.png"
convert -size ${tile}x$tile xc:'#FBFAF6' \
    \( -size ${tile}x$tile xc:gray50 -seed 92 +noise Random -channel R -separate +channel \
    \( -size 1x3 xc:'#D9D2E6' xc:'#D2E2DA' xc:'#E6D6C8' -append -scale '1x256!' \) -clut \) \
    "$work/speckle-mask.png" -composite "$work/speckle.png"
background speckle "$work/speckle.png"

# Nova: a soft golden star with rays on a faint violet haze; the rays fade out before the edges.
noise "$work/nova-haze.png" 101 12 4
convert "$work/nova-haze.png" +level-colors '#E8E2F4,#FFFFFF' "$work/nova-sky.png"
convert -size ${tile}x$tile xc: -fx "dist = hypot(i - w/2, j - h/2)/(w/2); turn = atan2(j - h/2, i - w/2); \
glow = max(0, 1 - 1.4*dist); rays = pow(0.5 + 0.5*cos(12*turn), 8)*max(0, 1 - 1.1*dist); \
min(1, glow*glow + 0.8*rays)" "$work/nova-star.png"
convert "$work/nova-sky.png" -size ${tile}x$tile xc:'#FBE3A8' "$work/nova-star.png" -composite "$work/nova.png"
background nova "$work/nova.png"

# Grid: graph paper, fine lines every 8 pixels and stronger ones every 32.
{
    echo "stroke-width 1 stroke '#E2ECF6'"
    for ((p = 0; p < tile; p += 8)); do echo "line $p.5,0 $p.5,$tile line 0,$p.5 $tile,$p.5"; done
    echo "stroke '#C6DAEE'"
    for ((p = 0; p < tile; p += 32)); do echo "line $p.5,0 $p.5,$tile line 0,$p.5 $tile,$p.5"; done
} >"$work/grid.mvg"
convert -size ${tile}x$tile xc:'#FBFDFF' +antialias -draw "$(<"$work/grid.mvg")" "$work/grid.png"
background grid "$work/grid.png"

# Floor tiles: two shades of glazed tile with grout between them.
{
    echo "stroke none"
    for ((y = 0; y < tile; y += 32)); do
        for ((x = 0; x < tile; x += 32)); do
            if (((x + y) / 32 % 2)); then echo "fill '#EDE5D6'"; else echo "fill '#F7F3EA'"; fi
            echo "rectangle $((x + 1)),$((y + 1)) $((x + 31)),$((y + 31))"
        done
    done
} >"$work/floortile.mvg"
noise "$work/floortile-grain.png" 111 6 1
convert -size ${tile}x$tile xc:'#DDD3C2' -draw "$(<"$work/floortile.mvg")" \
    \( "$work/floortile-grain.png" +level 0,4% \) -compose Minus_Src -composite "$work/floortile.png"
background floortile "$work/floortile.png"

# Weave: strips of eight pixels, horizontal and vertical in turn, each rounded by shading.
convert -size 32x32 xc: -fx "0.78 + 0.22*sin(pi*(mod(j, 8) + 0.5)/8)" "$work/weave-across.png"
convert "$work/weave-across.png" -rotate 90 "$work/weave-down.png"
convert \( "$work/weave-across.png" "$work/weave-down.png" +append \) \
    \( "$work/weave-down.png" "$work/weave-across.png" +append \) -append \
    -write mpr:weave +delete -size ${tile}x$tile tile:mpr:weave "$work/weave.png"
tinted weave "$work/weave.png" '#D9C7A4' '#FCF8EF'

# Beads: rows of shiny beads, every other row shifted by half a bead.
rng=121
{
    for ((row = 0; row < tile / 16; row++)); do
        for ((col = 0; col < tile / 16; col++)); do
            x=$((col * 16 + (row % 2) * 8 + 8)) y=$((row * 16 + 8))
            random 3
            colour=$(echo "#F2E4EC #E4EAF3 #EEEDE0" | cut -d' ' -f$((REPLY + 1)))
            echo "fill '$colour' stroke '#E0D4DC' stroke-width 1 circle $x,$y $((x + 6)),$y"
            echo "fill '#FFFFFF' stroke none circle $((x - 2)),$((y - 2)) $((x - 1)),$((y - 2))"
        done
    done
} | wrapped "$work/beads-shapes.png"
convert -size ${tile}x$tile xc:'#FBF8F6' "$work/beads-shapes.png" -composite "$work/beads.png"
background beads "$work/beads.png"

# Flowers: five round petals about a yellow heart, in two sizes and colours.
flower() { # X Y RADIUS PETAL-COLOUR EDGE-COLOUR
    local x=$1 y=$2 r=$3 petal=$4 edge=$5
    echo "fill '$petal' stroke '$edge' stroke-width 1"
    for a in 0 72 144 216 288; do
        px=$(awk "BEGIN { printf \"%.1f\", $x + $r*sin($a*3.14159265/180) }")
        py=$(awk "BEGIN { printf \"%.1f\", $y - $r*cos($a*3.14159265/180) }")
        echo "circle $px,$py $(awk "BEGIN { print $px + $r*0.75 }"),$py"
    done
    echo "fill '#F6E3A2' stroke '#E8CF86' circle $x,$y $(awk "BEGIN { print $x + $r*0.55 }"),$y"
}
{
    echo "fill '#DCEBD0' stroke none"
    echo "ellipse 58,52 7,3 0,360 ellipse 122,116 7,3 0,360 ellipse 118,44 6,2.5 0,360 ellipse 54,108 6,2.5 0,360"
    flower 32 32 9 '#F5DCE4' '#E9C4D0'
    flower 96 96 9 '#F5DCE4' '#E9C4D0'
    flower 96 28 6 '#E4DDF4' '#D0C6EA'
    flower 32 92 6 '#E4DDF4' '#D0C6EA'
} | wrapped "$work/flower-shapes.png"
convert -size ${tile}x$tile xc:'#FCFBF4' "$work/flower-shapes.png" -composite "$work/flower.png"
background flower "$work/flower.png"

# Foam: bubbles of many sizes, crossing the edges.
rng=131
{
    for ((n = 0; n < 26; n++)); do
        random $tile; x=$REPLY
        random $tile; y=$REPLY
        random 14; r=$((REPLY + 3))
        echo "fill '#F7FCFD' stroke '#CFE6EC' stroke-width 1 circle $x,$y $((x + r)),$y"
        echo "fill none stroke '#FFFFFF' arc $((x - r + 2)),$((y - r + 2)) $((x + r - 2)),$((y + r - 2)) 200,250"
    done
} | wrapped "$work/foam-shapes.png"
convert -size ${tile}x$tile xc:'#EEF7F9' "$work/foam-shapes.png" -composite "$work/foam.png"
background foam "$work/foam.png"

# Lace: interlocking rings with a dot in each ring.
{
    echo "fill none stroke '#E6DCCB' stroke-width 1"
    for ((y = 0; y <= tile; y += 32)); do
        for ((x = 0; x <= tile; x += 32)); do
            echo "circle $x,$y $((x + 16)),$y circle $((x + 16)),$((y + 16)) $((x + 32)),$((y + 16))"
        done
    done
    echo "fill '#E6DCCB' stroke none"
    for ((y = 0; y < tile; y += 16)); do
        for ((x = 0; x < tile; x += 16)); do echo "circle $x,$y $((x + 1)),$y"; done
    done
} | wrapped "$work/lace-shapes.png"
convert -size ${tile}x$tile xc:'#FDFBF6' "$work/lace-shapes.png" -composite "$work/lace.png"
background lace "$work/lace.png"

# Letters: scattered capitals, turned this way and that.
rng=141
{
    letters=ABCDEFGHIJKLMNOPQRSTUVWXYZ
    echo "font DejaVu-Serif stroke none"
    for ((n = 0; n < 22; n++)); do
        random $tile; x=$REPLY
        random $tile; y=$REPLY
        random 16; size=$((REPLY + 14))
        random 80; angle=$((REPLY - 40))
        random 26; letter=${letters:REPLY:1}
        random 3; shade=$(echo "#E4E1D8 #DCE0E6 #E6DCDC" | cut -d' ' -f$((REPLY + 1)))
        echo "push graphic-context translate $x,$y rotate $angle fill '$shade' font-size $size"
        echo "text 0,0 '$letter' pop graphic-context"
    done
} | wrapped "$work/letters-shapes.png"
convert -size ${tile}x$tile xc:'#FBFAF7' "$work/letters-shapes.png" -composite "$work/letters.png"
background letters "$work/letters.png"

# Vines: two winding stems with leaves, each one wave per tile so the ends meet.
{
    for stem in "34 0" "98 64"; do
        read -r base phase <<<"$stem"
        path="M"
        for ((x = -8; x <= tile + 8; x += 4)); do
            y=$(awk "BEGIN { printf \"%.1f\", $base + 10*sin(2*3.14159265*($x + $phase)/$tile) }")
            path+=" $x,$y"
        done
        echo "fill none stroke '#C9DCB6' stroke-width 2 path '$path'"
        for ((x = 8; x < tile; x += 24)); do
            y=$(awk "BEGIN { printf \"%.1f\", $base + 10*sin(2*3.14159265*($x + $phase)/$tile) }")
            echo "push graphic-context translate $x,$y rotate -35"
            echo "fill '#DCEACD' stroke '#C3D8AE' stroke-width 1 ellipse 0,-6 3,6 0,360 pop graphic-context"
            echo "push graphic-context translate $((x + 12)),$y rotate 35"
            echo "fill '#DCEACD' stroke '#C3D8AE' stroke-width 1 ellipse 0,6 3,6 0,360 pop graphic-context"
        done
    done
} | wrapped "$work/vines-shapes.png"
convert -size ${tile}x$tile xc:'#F8FBF3' "$work/vines-shapes.png" -composite "$work/vines.png"
background vines "$work/vines.png"
