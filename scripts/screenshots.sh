#!/usr/bin/env bash
# Renders the screenshots in docs/ from the real program under Xvfb: a generated sample diary shown
# with default settings, the sidebar on the right, fullscreen, the year calendar, a holiday, an entry
# with pictures, a background picture, entries with a sound and a movie, each playing, and the main
# window on screens of 144 and 192 DPI (each in the Wine prefix of its DPI, on a display as much larger).
# Run it after changes to what the main window shows, look at the pictures, and commit them.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

ensure_packages "${TAVRIN_NATIVE_PACKAGES[@]}" "${TAVRIN_WINDOWS_PACKAGES[@]}" "${TAVRIN_AUDIO_PACKAGES[@]}"
cd "$TAVRIN_ROOT"
cmake --preset windows >/dev/null && cmake --build --preset windows -j"$(nproc)" --target tavrin tavrin_drive
cmake --preset native >/dev/null && cmake --build --preset native -j"$(nproc)" --target tavrin_diarygen tavrin_mediagen

drive=$TAVRIN_BUILD/windows/tools/drive/tavrin_drive.exe
unset WINEPREFIX  # only the project's prefixes are used and stopped here
work=$(mktemp -d)
trap 'wine_and_display_stop; audio_sink_stop; rm -rf "$work"' EXIT
# Started before any Wine server, which hands its address to the programs' sound output.
audio_sink_start

# shot NAME "SETTINGS LINES" [COMMAND] [PREPARE] [WAIT] [SEARCH WORD] [ANSWER]: starts Tavrin on the
# sample diary with these settings, optionally gives it a command and searches for a word, waits WAIT
# seconds (half a second unless given) and saves docs/NAME.png. PREPARE, when given, is a function called
# with the portable folder before the program starts. ANSWER, when given, is the button (IDYES = 6, ...)
# pressed in the message box the picture shows, before the program is closed.
shot() {
    local name=$1 settings=$2 command=${3:-} prepare=${4:-} pause=${5:-0.5} search=${6:-} answer=${7:-}
    local folder=$work/$name
    mkdir -p "$folder/RaRorir"
    cp "$TAVRIN_BUILD/windows/src/main/tavrin.exe" "$folder/"
    "$TAVRIN_BUILD/native/tools/diarygen/tavrin_diarygen" --out "$folder/RaRorir" --years 3 --last-year 2026 \
        --seed 7 >/dev/null
    [ -n "$prepare" ] && "$prepare" "$folder"
    { printf '\xff\xfe'; printf '%b' "$settings" | iconv -f UTF-8 -t UTF-16LE; } >"$folder/tavrin.ini"
    (cd "$folder" && exec "$(wine_loader)" tavrin.exe </dev/null >/dev/null 2>&1) &
    local app=$!
    local geometry
    geometry=$("$TAVRIN_ROOT/scripts/wine-run.sh" "$drive" wait 60000)
    if [ -n "$command" ]; then
        "$TAVRIN_ROOT/scripts/wine-run.sh" "$drive" command "$command"
        geometry=$("$TAVRIN_ROOT/scripts/wine-run.sh" "$drive" wait 60000)
    fi
    if [ -n "$search" ]; then
        "$TAVRIN_ROOT/scripts/wine-run.sh" "$drive" search "$search"
        geometry=$("$TAVRIN_ROOT/scripts/wine-run.sh" "$drive" wait 60000)
    fi
    read -r left top width height <<<"$geometry"
    [ "$left" -lt 0 ] && { width=$((width + left)); left=0; }
    [ "$top" -lt 0 ] && { height=$((height + top)); top=0; }
    sleep "$pause"
    import -display "$DISPLAY" -window root -crop "${width}x${height}+${left}+${top}" +repage "docs/$name.png"
    [ -n "$answer" ] && "$TAVRIN_ROOT/scripts/wine-run.sh" "$drive" answer "$answer" 30000
    "$TAVRIN_ROOT/scripts/wine-run.sh" "$drive" close 30000
    wait "$app" || true
    log "docs/$name.png"
}

# Two photographs of a day out, drawn here so that the pictures are ours: the sea under a spring sky,
# and cherry blossoms.
draw_pictures() {
    local dir=$1
    convert -size 560x360 gradient:'#7fbfea'-'#e8f4fc' \
        -fill '#fff6c8' -draw 'circle 450,80 482,80' \
        -fill '#f4f8fb' -draw 'ellipse 150,90 70,18 0,360' -draw 'ellipse 230,70 50,14 0,360' \
        -fill '#2f6fa3' -draw 'rectangle 0,230 560,360' \
        -fill '#5e93c2' -draw 'polygon 0,230 560,230 560,250 0,262' \
        -fill '#e9d8b4' -draw 'polygon 0,300 560,270 560,360 0,360' \
        -fill '#ffffff' -draw 'line 40,250 160,246' -draw 'line 260,258 420,252' -resize 360x \
        "$dir/20260305_0001.png"
    convert -size 420x300 gradient:'#fbe3ec'-'#fff8fb' \
        -fill '#7a5a48' -draw 'polygon 190,300 206,150 214,150 232,300' \
        -draw 'polygon 208,200 120,120 126,114 212,190' -draw 'polygon 212,180 300,100 306,106 216,192' \
        -fill '#f6b6c9' -draw 'circle 120,110 150,110' -draw 'circle 300,95 334,95' \
        -draw 'circle 210,120 250,120' -draw 'circle 160,70 186,70' -draw 'circle 260,60 290,60' \
        -fill '#f9cfdc' -draw 'circle 95,150 115,150' -draw 'circle 330,140 352,140' \
        -resize 240x -quality 90 "$dir/20260305_0002.jpg"
}

# The sample day 2026-03-05 becomes a day out with the two pictures in its entry.
picture_entry() {
    local folder=$1 month=$1/RaRorir/202603.txt
    mkdir -p "$folder/RaRorir/data"
    draw_pictures "$folder/RaRorir/data"
    local body
    body=$(printf '%s\n' '*海辺の散歩' '朝早く家を出て、昼前に海に着いた。風はまだ冷たいけれど、空はどこまでも青い。' \
        '[[20260305_0001.png]]' '帰りに寄った公園では、桜が咲き始めていた。' '[[20260305_0002.jpg]]')
    iconv -f UTF-16LE -t UTF-8 "$month" | BODY="$body" awk 'BEGIN { RS = "\r\n"; ORS = "\r\n" }
            skip { if ($0 == "") { skip = 0; print } ; next }
            $0 == "2026/03/05" { print; n = split(ENVIRON["BODY"], lines, "\n")
                                 for (i = 1; i <= n; i++) print "\t" lines[i]; skip = 1; next }
            { print }' | iconv -f UTF-8 -t UTF-16LE >"$month.new"
    mv "$month.new" "$month"
}

# A soft picture of the sky for behind the calendar and the editor.
background_picture() {
    local folder=$1
    convert -size 1000x680 gradient:'#cfe6f7'-'#fdf1f4' \
        -fill '#ffffff' -draw 'ellipse 800,34 150,22 0,360' -draw 'ellipse 640,22 90,14 0,360' \
        -fill '#b9d9b0' -draw 'polygon 0,560 240,470 520,540 780,450 1000,520 1000,680 0,680' \
        -fill '#9cc79a' -draw 'polygon 0,620 300,560 640,630 1000,580 1000,680 0,680' "$folder/sky.jpg"
}

# The question after a crash: texts of two days wait in _recovery for the sample diary. The shot shows
# the frame with the box over it; Yes (6) restores them, then the program is closed.
recovery_files() {
    local folder=$1 day
    mkdir -p "$folder/_recovery/RaRorir"
    for day in 04 05; do
        { printf '\xff\xfe'; printf '2026/03/%s\r\n\t%s\r\n' "$day" "書きかけの日記 ($day 日)" |
            iconv -f UTF-8 -t UTF-16LE; } >"$folder/_recovery/RaRorir/202603$day.txt"
    done
}

mkdir -p docs
base='[Window]\r\nWidth=1000\r\nHeight=680\r\nLeft=40\r\nTop=40\r\n'
day='[Other]\r\nStartDateMode=2\r\nStartDate=20260305\r\n'
wine_screen_start 96
shot main-window "$base$day"
shot main-sidebar-right "${base}SideBarLayout=1\r\n$day"
shot main-fullscreen "[Window]\r\nFullscreen=1\r\n$day"
shot main-calendar "$base$day" 41017
shot main-holiday "$base[Other]\r\nStartDateMode=2\r\nStartDate=20240212\r\n"
shot main-search "$base$day" "" "" 0.5 "コーヒー"
shot entry-pictures "$base$day" "" picture_entry
# The settings go through printf %b: the path's backslashes are doubled.
sky=$(winepath_of "$work" | sed 's/\\/\\\\/g')'\\background-picture\\sky.jpg'
back="[BackImage]\r\nShowBackImage=1\r\nPath=$sky\r\nPosX=50\r\nPosY=100\r\nAlpha=45\r\n"
shot background-picture "$base$back$day" "" background_picture

# March 2026 with two entries that hold a sound and a movie: on the 7th the sound comes first, on the
# 8th the movie; with AutoPlay on, each day's first item plays by itself.
mkdir -p "$work/media"
"$TAVRIN_BUILD/native/tools/mediagen/tavrin_mediagen" tone "$work/media/20260307_0001.wav" 440 150000
"$TAVRIN_BUILD/native/tools/mediagen/tavrin_mediagen" movie "$work/media/20260307_0002.avi" 8
{
    printf '\xff\xfe'
    printf '%s\r\n' '2026/03/07' $'\t海辺の散歩' $'\t夕方、近くの海岸まで歩いた。波の音を録ってきたので貼っておく。' \
        $'\t[[20260307_0001.wav]]' $'\t帰り道に撮った夕焼け。' $'\t[[20260307_0002.avi]]' $'\tまた週末に来たい。' '' \
        '2026/03/08' $'\t夕焼け' $'\t[[20260307_0002.avi]]' $'\t空が燃えるような色だった。明日も晴れるらしい。' \
        $'\t[[20260307_0001.wav]]' | iconv -f UTF-8 -t UTF-16LE
} >"$work/media-202603.txt"
media_entries() {
    local folder=$1
    mkdir -p "$folder/RaRorir/data"
    cp "$work/media/"* "$folder/RaRorir/data/"
    cp "$work/media-202603.txt" "$folder/RaRorir/202603.txt"
}
shot media-sound "$base[Other]\r\nAutoPlay=1\r\nStartDateMode=2\r\nStartDate=20260307\r\n" "" media_entries 3
shot media-movie "$base[Other]\r\nAutoPlay=1\r\nStartDateMode=2\r\nStartDate=20260308\r\n" "" media_entries 4

shot recovery-offer "$base$day" "" recovery_files 0.5 "" 6

# The same window on high-DPI screens: the window's size is its size on the screen, so it is given
# scaled; everything inside scales by itself.
wine_screen_start 144
shot main-window-144dpi "[Window]\r\nWidth=1500\r\nHeight=1020\r\nLeft=60\r\nTop=60\r\n$day"
wine_screen_start 192
shot main-window-192dpi "[Window]\r\nWidth=2000\r\nHeight=1360\r\nLeft=80\r\nTop=80\r\n$day"
