#!/usr/bin/env bash
# Renders the screenshots in docs/ from the real program under Xvfb: a generated sample diary shown
# with default settings, the sidebar on the right, fullscreen, the year calendar, and a holiday.
# Run it after changes to what the main window shows, look at the pictures, and commit them.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

ensure_packages "${TAVRIN_NATIVE_PACKAGES[@]}" "${TAVRIN_WINDOWS_PACKAGES[@]}"
cd "$TAVRIN_ROOT"
cmake --preset windows >/dev/null && cmake --build --preset windows -j"$(nproc)" --target tavrin tavrin_drive
cmake --preset native >/dev/null && cmake --build --preset native -j"$(nproc)" --target tavrin_diarygen

drive=$TAVRIN_BUILD/windows/tools/drive/tavrin_drive.exe
work=$(mktemp -d)
trap 'wine_and_display_stop; rm -rf "$work"' EXIT
xvfb_start
wine_prefix_init
wineserver_start

# shot NAME "SETTINGS LINES" [COMMAND]: starts Tavrin on the sample diary with these [Other]/[Window]
# settings, optionally gives it a command, and saves docs/NAME.png.
shot() {
    local name=$1 settings=$2 command=${3:-}
    local folder=$work/$name
    mkdir -p "$folder/RaRorir"
    cp "$TAVRIN_BUILD/windows/src/main/tavrin.exe" "$folder/"
    "$TAVRIN_BUILD/native/tools/diarygen/tavrin_diarygen" --out "$folder/RaRorir" --years 3 --last-year 2026 \
        --seed 7 >/dev/null
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
    sleep 0.5
    import -display "$DISPLAY" -window root -crop "${width}x${height}+${left}+${top}" +repage "docs/$name.png"
    "$TAVRIN_ROOT/scripts/wine-run.sh" "$drive" close 30000
    wait "$app" || true
    log "docs/$name.png"
}

# The question after a crash: texts of two days wait in _recovery for the sample diary. The shot shows
# the frame with the box over it; Yes restores them, then the program is closed.
recovery_shot() {
    local name=recovery-offer folder=$work/recovery-offer
    mkdir -p "$folder/RaRorir" "$folder/_recovery/RaRorir"
    cp "$TAVRIN_BUILD/windows/src/main/tavrin.exe" "$folder/"
    "$TAVRIN_BUILD/native/tools/diarygen/tavrin_diarygen" --out "$folder/RaRorir" --years 3 --last-year 2026 \
        --seed 7 >/dev/null
    { printf '\xff\xfe'; printf '%b' "$1" | iconv -f UTF-8 -t UTF-16LE; } >"$folder/tavrin.ini"
    local day
    for day in 04 05; do
        { printf '\xff\xfe'; printf '2026/03/%s\r\n\t%s\r\n' "$day" "書きかけの日記 ($day 日)" |
            iconv -f UTF-8 -t UTF-16LE; } >"$folder/_recovery/RaRorir/202603$day.txt"
    done
    (cd "$folder" && exec "$(wine_loader)" tavrin.exe </dev/null >/dev/null 2>&1) &
    local app=$!
    local geometry
    geometry=$("$TAVRIN_ROOT/scripts/wine-run.sh" "$drive" wait 60000)
    read -r left top width height <<<"$geometry"
    sleep 0.5
    import -display "$DISPLAY" -window root -crop "${width}x${height}+${left}+${top}" +repage "docs/$name.png"
    "$TAVRIN_ROOT/scripts/wine-run.sh" "$drive" answer 6 30000
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
recovery_shot "$base$day"
