#!/usr/bin/env bash
# Draws the toolbar and menu glyph strip (glyphs.bmp, bitmap resource 126): 720 x 16 pixels, white
# glyphs on black in 16 grey levels, one 16 x 16 cell per glyph at the x offsets the program uses; and
# the same strip at twice the size for high-DPI screens (glyphs2x.bmp, resource 127: 1440 x 32, 32 x 32
# cells), which the program shows at 200 % and scales down for 125 % and 150 %.
# The glyphs are drawn four times larger and scaled down, which gives them smooth edges.
# Needs ImageMagick. Run it after changing a glyph and commit the resulting bitmaps.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

S=4  # drawing scale
cell() { echo $(($1 * S)); }

# Each glyph is a list of ImageMagick -draw primitives in 16 x 16 cell coordinates (scaled below).
declare -A glyph
glyph[0]="line 3.5,3.5 12.5,12.5; line 12.5,3.5 3.5,12.5"                                     # exit
glyph[16]="circle 8,8 8,3.2; circle 8,8 8,6.2; rectangle 7,1 9,3.5; rectangle 7,12.5 9,15; rectangle 1,7 3.5,9; rectangle 12.5,7 15,9; polygon 2.8,4.2 4.2,2.8 6,4.6 4.6,6; polygon 11.8,13.2 13.2,11.8 11.4,10 10,11.4; polygon 13.2,4.2 11.8,2.8 10,4.6 11.4,6; polygon 2.8,11.8 4.2,13.2 6,11.4 4.6,10"  # settings
glyph[32]="polygon 2,14 2.6,10 10.6,2 14,5.4 6,13.4; line 9,3.6 12.4,7"                       # edit mode
glyph[48]="rectangle 2,3 14,14; rectangle 2,3 14,5.5; line 5,1.5 5,4; line 11,1.5 11,4; point 5,8; point 8,8; point 11,8; point 5,11; point 8,11; point 11,11"  # calendar mode
glyph[80]="circle 6.5,6.5 6.5,2; line 9.8,9.8 14,14"                                           # search
glyph[96]="polygon 4,6 12,6 8,11"                                                               # drop-down
glyph[112]="line 3,3 3,13; polygon 9,3 9,13 4,8; polygon 14,3 14,13 9,8"                      # oldest entry
glyph[128]="polygon 8,3 8,13 3,8; polygon 13,3 13,13 8,8"                                      # previous entry
glyph[144]="line 6,3 1.5,8; line 1.5,8 6,13; line 10,3 5.5,8; line 5.5,8 10,13; line 14,3 9.5,8; line 9.5,8 14,13"  # previous year
glyph[160]="line 8,3 3.5,8; line 3.5,8 8,13; line 12.5,3 8,8; line 8,8 12.5,13"                 # previous month
glyph[176]="line 10,3 5,8; line 5,8 10,13"                                                     # previous week
glyph[192]="line 9.5,5 6.5,8; line 6.5,8 9.5,11"                                               # previous day
glyph[208]="circle 8,8 8,2.5; fill:circle 8,8 8,5.5"                                            # today
glyph[224]="line 6.5,5 9.5,8; line 9.5,8 6.5,11"                                               # next day
glyph[240]="line 6,3 11,8; line 11,8 6,13"                                                     # next week
glyph[256]="line 8,3 12.5,8; line 12.5,8 8,13; line 3.5,3 8,8; line 8,8 3.5,13"                 # next month
glyph[272]="line 10,3 14.5,8; line 14.5,8 10,13; line 6,3 10.5,8; line 10.5,8 6,13; line 2,3 6.5,8; line 6.5,8 2,13"  # next year
glyph[288]="polygon 8,3 8,13 13,8; polygon 3,3 3,13 8,8"                                       # next entry
glyph[304]="line 13,3 13,13; polygon 7,3 7,13 12,8; polygon 2,3 2,13 7,8"                      # newest entry
glyph[320]="line 2,2 6,2; line 2,2 2,6; line 14,2 10,2; line 14,2 14,6; line 2,14 6,14; line 2,14 2,10; line 14,14 10,14; line 14,14 14,10"  # fullscreen
glyph[336]="line 3,6 10,6; line 10,6 13,9; line 13,9 10,12; line 10,12 6,12; fill:polygon 1,6 5,2.5 5,9.5"   # undo
glyph[352]="line 13,6 6,6; line 6,6 3,9; line 3,9 6,12; line 6,12 10,12; fill:polygon 15,6 11,2.5 11,9.5"    # redo
glyph[368]="circle 4.5,12 4.5,14.3; circle 11.5,12 11.5,14.3; line 5.8,10.2 11,2; line 10.2,10.2 5,2"  # cut
glyph[384]="rectangle 2,2 10,11; rectangle 6,5 14,14"                                          # copy
glyph[400]="rectangle 3,3 13,14.5; fill:rectangle 6,1.5 10,4.5; line 5.5,8 10.5,8; line 5.5,11 10.5,11"  # paste
glyph[416]="rectangle 1.5,2.5 14.5,13.5; fill:polygon 3,12 7,7 9.5,10 11,8.5 13,12; fill:circle 11,5.5 11,4.3"  # insert picture
glyph[432]="line 3,8.5 6.5,12; line 6.5,12 13,4"                                               # check mark
glyph[448]="fill:circle 8,8 8,4.5"                                                              # radio mark

draw=()
for offset in "${!glyph[@]}"; do
    IFS=';' read -ra parts <<<"${glyph[$offset]}"
    for part in "${parts[@]}"; do
        part=$(echo "$part" | sed 's/^ *//')
        filled=no
        case $part in fill:*) filled=yes; part=${part#fill:} ;; esac
        kind=${part%% *}
        coords=${part#* }
        scaled=$(echo "$coords" | awk -v s=$S -v o="$offset" '{
            out = "";
            for (i = 1; i <= NF; i++) {
                split($i, xy, ",");
                out = out sprintf("%s%.1f,%.1f", (i > 1 ? " " : ""), (xy[1] + o) * s, xy[2] * s);
            }
            print out }')
        if [ "$filled" = yes ] || [ "$kind" = polygon ] && [ "$offset" != 16 ] || [ "$kind" = point ]; then
            [ "$kind" = point ] && { kind=circle; p=${scaled%% *}; x=${p%,*}; y=${p#*,}; scaled="$p $(awk -v x=$x -v s=$S 'BEGIN{printf "%.1f", x+1.1*s}'),$y"; }
            draw+=(-fill white -stroke none -draw "$kind $scaled")
        else
            draw+=(-fill none -stroke white -strokewidth $((3 * S / 2)) -draw "$kind $scaled")
        fi
    done
done
# The gear is filled, with a hole punched in its middle.
draw+=(-fill white -stroke none -draw "circle $(cell 24),$(cell 8) $(cell 24),$((3 * S))")
draw+=(-fill black -stroke none -draw "circle $(cell 24),$(cell 8) $(cell 24),$((6 * S))")

for size in 1 2; do
    name=glyphs.bmp
    [ "$size" = 2 ] && name=glyphs2x.bmp
    convert -size $((720 * S))x$((16 * S)) xc:black "${draw[@]}" -filter Box -resize $((720 * size))x$((16 * size)) \
        -colorspace Gray -depth 8 -posterize 16 -type Grayscale BMP3:$name
    echo "$name written"
done
