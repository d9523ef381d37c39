#!/usr/bin/env bash
# Renders the screenshots in docs/ from the real program under Xvfb: a generated sample diary shown
# with default settings, the sidebar on the right, fullscreen, the year calendar, a holiday, and an
# entry with a sound and a movie, each playing.
# Run it after changes to what the main window shows, look at the pictures, and commit them.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

ensure_packages "${TAVRIN_NATIVE_PACKAGES[@]}" "${TAVRIN_WINDOWS_PACKAGES[@]}" "${TAVRIN_AUDIO_PACKAGES[@]}"
cd "$TAVRIN_ROOT"
cmake --preset windows >/dev/null && cmake --build --preset windows -j"$(nproc)" --target tavrin tavrin_drive
cmake --preset native >/dev/null && cmake --build --preset native -j"$(nproc)" --target tavrin_diarygen tavrin_mediagen

drive=$TAVRIN_BUILD/windows/tools/drive/tavrin_drive.exe
work=$(mktemp -d)
trap 'wine_and_display_stop; audio_sink_stop; rm -rf "$work"' EXIT
xvfb_start
audio_sink_start
wine_prefix_init
wineserver_start

# shot NAME "SETTINGS LINES" [COMMAND [WAIT]]: starts Tavrin on the sample diary with these
# [Other]/[Window] settings, optionally gives it a command, waits WAIT seconds and saves docs/NAME.png.
shot() {
    local name=$1 settings=$2 command=${3:-} pause=${4:-0.5}
    local folder=$work/$name
    mkdir -p "$folder/RaRorir"
    cp "$TAVRIN_BUILD/windows/src/main/tavrin.exe" "$folder/"
    "$TAVRIN_BUILD/native/tools/diarygen/tavrin_diarygen" --out "$folder/RaRorir" --years 3 --last-year 2026 \
        --seed 7 >/dev/null
    if [ -n "${MEDIA_MONTH:-}" ]; then
        mkdir -p "$folder/RaRorir/data"
        cp "$work/media/"* "$folder/RaRorir/data/"
        cp "$MEDIA_MONTH" "$folder/RaRorir/202603.txt"
    fi
    { printf '\xff\xfe'; printf '%b' "$settings" | iconv -f UTF-8 -t UTF-16LE; } >"$folder/tavrin.ini"
    (cd "$folder" && exec "$(wine_loader)" tavrin.exe </dev/null >/dev/null 2>&1) &
    local app=$!
    local geometry
    geometry=$("$TAVRIN_ROOT/scripts/wine-run.sh" "$drive" wait 60000)
    if [ -n "$command" ]; then
        "$TAVRIN_ROOT/scripts/wine-run.sh" "$drive" command "$command"
        geometry=$("$TAVRIN_ROOT/scripts/wine-run.sh" "$drive" wait 60000)
    fi
    read -r left top width height <<<"$geometry"
    [ "$left" -lt 0 ] && { width=$((width + left)); left=0; }
    [ "$top" -lt 0 ] && { height=$((height + top)); top=0; }
    sleep "$pause"
    import -display "$DISPLAY" -window root -crop "${width}x${height}+${left}+${top}" +repage "docs/$name.png"
    "$TAVRIN_ROOT/scripts/wine-run.sh" "$drive" close 30000
    wait "$app" || true
    log "docs/$name.png"
}

mkdir -p docs
base='[Window]\r\nWidth=1000\r\nHeight=680\r\nLeft=40\r\nTop=40\r\n'
day='[Other]\r\nStartDateMode=2\r\nStartDate=20260305\r\n'
shot main-window "$base$day"
shot main-sidebar-right "${base}SideBarLayout=1\r\n$day"
shot main-fullscreen "[Window]\r\nFullscreen=1\r\n$day"
shot main-calendar "$base$day" 41017
shot main-holiday "$base[Other]\r\nStartDateMode=2\r\nStartDate=20240212\r\n"

# March 2026 with two entries that hold a sound and a movie: on the 7th the sound comes first, on the
# 8th the movie; with AutoPlay on, each day's first item plays by itself.
mkdir -p "$work/media"
"$TAVRIN_BUILD/native/tools/mediagen/tavrin_mediagen" tone "$work/media/20260307_0001.wav" 440 150000
"$TAVRIN_BUILD/native/tools/mediagen/tavrin_mediagen" movie "$work/media/20260307_0002.avi" 8
MEDIA_MONTH=$work/media-202603.txt
{
    printf '\xff\xfe'
    printf '%s\r\n' '2026/03/07' $'\t海辺の散歩' $'\t夕方、近くの海岸まで歩いた。波の音を録ってきたので貼っておく。' \
        $'\t[[20260307_0001.wav]]' $'\t帰り道に撮った夕焼け。' $'\t[[20260307_0002.avi]]' $'\tまた週末に来たい。' '' \
        '2026/03/08' $'\t夕焼け' $'\t[[20260307_0002.avi]]' $'\t空が燃えるような色だった。明日も晴れるらしい。' \
        $'\t[[20260307_0001.wav]]' | iconv -f UTF-8 -t UTF-16LE
} >"$MEDIA_MONTH"
shot media-sound "$base[Other]\r\nAutoPlay=1\r\nStartDateMode=2\r\nStartDate=20260307\r\n" "" 3
shot media-movie "$base[Other]\r\nAutoPlay=1\r\nStartDateMode=2\r\nStartDate=20260308\r\n" "" 4
