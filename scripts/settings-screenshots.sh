#!/usr/bin/env bash
# Renders the settings sheet from the real program under Xvfb: every page and the special-symbol list
# at 96 DPI, and the general and template pages at 144 DPI, into docs/. With --check DIR it renders
# every page at 96, 120, 144 and 192 DPI into DIR instead, for a look at each resolution.
#
# Each DPI gets a Wine prefix of its own (build/wineprefix-dpiN, made on first use) whose
# "Control Panel\Desktop" LogPixels is that DPI, and a screen large enough for the sheet at it.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

check_dir=
if [ "${1:-}" = "--check" ]; then
    check_dir=${2:?usage: settings-screenshots.sh [--check DIR]}
    mkdir -p "$check_dir"
fi

ensure_packages "${TAVRIN_NATIVE_PACKAGES[@]}" "${TAVRIN_WINDOWS_PACKAGES[@]}"
cd "$TAVRIN_ROOT"
cmake --preset windows >/dev/null && cmake --build --preset windows -j"$(nproc)" --target tavrin tavrin_drive
cmake --preset native >/dev/null && cmake --build --preset native -j"$(nproc)" --target tavrin_diarygen

drive=$TAVRIN_BUILD/windows/tools/drive/tavrin_drive.exe
work=$(mktemp -d)
DPI_XVFB_PID=
stop_all() {
    wine_and_display_stop
    if [ -n "$DPI_XVFB_PID" ]; then
        kill "$DPI_XVFB_PID" 2>/dev/null || true
        wait "$DPI_XVFB_PID" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap stop_all EXIT

page_names=(general edit calendar background paste templates keyboard startup other)

# A private display of the given size (the sheet at 192 DPI does not fit on a 1600 x 1000 screen).
dpi_display_start() {
    local size=$1 n
    for n in $(seq 141 190); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp </dev/null >/dev/null 2>&1 &
        DPI_XVFB_PID=$!
        local i
        for i in $(seq 1 100); do
            if xdpyinfo -display ":$n" >/dev/null 2>&1; then
                export DISPLAY=":$n"
                return 0
            fi
            sleep 0.1
        done
        kill "$DPI_XVFB_PID" 2>/dev/null || true
        DPI_XVFB_PID=
    done
    log "cannot start Xvfb"
    return 1
}

dpi_display_stop() {
    if [ -n "$DPI_XVFB_PID" ]; then
        kill "$DPI_XVFB_PID" 2>/dev/null || true
        wait "$DPI_XVFB_PID" 2>/dev/null || true
        DPI_XVFB_PID=
    fi
}

# The prefix of a DPI, with LogPixels set; its Wine server is (re)started so that the value applies.
dpi_prefix_start() {
    local dpi=$1
    export WINEPREFIX=$TAVRIN_BUILD/wineprefix-dpi$dpi
    wine_prefix_init
    local reg=$WINEPREFIX/tavrin-dpi.reg
    {
        printf '\xff\xfe'
        printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' '[HKEY_CURRENT_USER\Control Panel\Desktop]' \
            "\"LogPixels\"=dword:$(printf '%08x' "$dpi")" '' | iconv -f UTF-8 -t UTF-16LE
    } >"$reg"
    "$(wine_loader)" regedit /S "$(winepath_of "$reg")" </dev/null >/dev/null 2>&1
    "$(wine_server)" -k </dev/null >/dev/null 2>&1 || true
    "$(wine_server)" -w </dev/null >/dev/null 2>&1 || true
    wineserver_start
}

# The settings file of the sample: the window, a date with entries, and the default templates.
write_settings() {
    {
        printf '\xff\xfe'
        printf '%s\r\n' '[Window]' 'Width=1000' 'Height=680' 'Left=40' 'Top=40' 'SettingPage=0' \
            '[BackImage]' 'ShowBackImage=1' 'Path=C:\users\Public\Pictures' \
            '[Template]' 'Item=日付(&;),$1,04BB' 'Item=時刻(&:),$2,04BA' 'Item=日付と時刻(&D),$3,0144' \
            'Item=$K/$O/$Q 編集日の日付(&E),$K/$O/$Q,0000' 'Item=-,,0000' \
            'Item=日記テンプレート(&T),*$}今日のタイトル${\n天気：\n食べた物：\n今日の出来事：\n,142D' \
            'Item=-,,0000' 'Item=（ ）で囲む(&1),${（$@）$},0000' 'Item=「 」で囲む(&2),${「$@」$},0000' \
            'Item=『 』で囲む(&3),${『$@』$},0000' 'Item=【 】で囲む(&4),${【$@】$},0000' \
            '[Other]' 'StartDateMode=2' 'StartDate=20260305' | iconv -f UTF-8 -t UTF-16LE
    } >"$1/tavrin.ini"
}

run_drive() { "$TAVRIN_ROOT/scripts/wine-run.sh" "$drive" "$@"; }

# capture FILE "left top width height" ...: the windows at the given screen rectangles, the later ones
# over the earlier ones, on a light grey ground.
capture() {
    local file=$1 left=100000 top=100000 right=0 bottom=0 l t w h
    shift
    for rect in "$@"; do
        read -r l t w h <<<"$rect"
        [ "$l" -lt "$left" ] && left=$l
        [ "$t" -lt "$top" ] && top=$t
        [ $((l + w)) -gt "$right" ] && right=$((l + w))
        [ $((t + h)) -gt "$bottom" ] && bottom=$((t + h))
    done
    [ "$left" -lt 0 ] && left=0
    [ "$top" -lt 0 ] && top=0
    sleep 0.5
    local screen=$work/screen.png
    import -display "$DISPLAY" -window root -crop "$((right - left))x$((bottom - top))+${left}+${top}" +repage "$screen"
    local layers=()
    for rect in "$@"; do
        read -r l t w h <<<"$rect"
        layers+=("(" "$screen" -crop "${w}x${h}+$((l - left))+$((t - top))" +repage ")"
            -geometry "+$((l - left))+$((t - top))" -composite)
    done
    convert -size "$((right - left))x$((bottom - top))" xc:'#e4e4e4' "${layers[@]}" "$file"
    log "$file"
}

# shots DPI SCREEN OUTDIR SUFFIX PAGES...: one program run at DPI, a picture of each page (and of the
# special-symbol list when the template page is asked for, at 96 DPI).
shots() {
    local dpi=$1 screen=$2 out=$3 suffix=$4
    shift 4
    dpi_display_start "$screen"
    dpi_prefix_start "$dpi"
    local folder=$work/dpi$dpi
    mkdir -p "$folder/RaRorir"
    cp "$TAVRIN_BUILD/windows/src/main/tavrin.exe" "$folder/"
    "$TAVRIN_BUILD/native/tools/diarygen/tavrin_diarygen" --out "$folder/RaRorir" --years 2 --last-year 2026 \
        --seed 7 >/dev/null
    write_settings "$folder"
    (cd "$folder" && exec "$(wine_loader)" tavrin.exe </dev/null >/dev/null 2>&1) &
    local app=$!
    run_drive wait 60000 >/dev/null
    local page sheet
    for page in "$@"; do
        sheet=$(run_drive settings "$page")
        capture "$out/settings-${page_names[$page]}$suffix.png" "$sheet"
        if [ "$page" = 5 ] && [ "$dpi" = 96 ] && [ -z "$check_dir" ]; then
            run_drive settings-click 3610
            capture "$out/settings-symbol-list.png" "$sheet" "$(run_drive window 特殊記号一覧)"
            run_drive settings-close
            run_drive settings 5 >/dev/null
        fi
    done
    run_drive settings-close
    run_drive close 30000
    wait "$app" || true
    wine_and_display_stop
    dpi_display_stop
}

if [ -n "$check_dir" ]; then
    shots 96 1600x1000 "$check_dir" -96dpi 0 1 2 3 4 5 6 7 8
    shots 120 2000x1250 "$check_dir" -120dpi 0 1 2 3 4 5 6 7 8
    shots 144 2400x1500 "$check_dir" -144dpi 0 1 2 3 4 5 6 7 8
    shots 192 3200x2000 "$check_dir" -192dpi 0 1 2 3 4 5 6 7 8
else
    mkdir -p docs
    shots 96 1600x1000 docs "" 0 1 2 3 4 5 6 7 8
    shots 144 2400x1500 docs -144dpi 0 5
fi
