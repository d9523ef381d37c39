#!/usr/bin/env bash
# Renders the settings sheet from the real program under Xvfb: every page and the special-symbol list
# at 96 DPI, and the general and template pages at 144 DPI, into docs/. With --check DIR it renders
# every page at 96, 120, 144 and 192 DPI into DIR instead, for a look at each resolution.
#
# Each DPI gets the Wine prefix of its own (build/wineprefix for 96, build/wineprefix-dpiN beside it,
# made on first use) whose "Control Panel\Desktop" LogPixels is that DPI, and a screen as much larger
# than 1600 x 1000 as the DPI is, so that the sheet fits.
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
unset WINEPREFIX  # only the project's prefixes are used and stopped here
work=$(mktemp -d)
trap 'wine_and_display_stop; rm -rf "$work"' EXIT

page_names=(general edit calendar background paste templates keyboard startup other)

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

# shots DPI OUTDIR SUFFIX PAGES...: one program run at DPI, a picture of each page (and of the
# special-symbol list when the template page is asked for, at 96 DPI).
shots() {
    local dpi=$1 out=$2 suffix=$3
    shift 3
    wine_screen_start "$dpi"
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
}

if [ -n "$check_dir" ]; then
    shots 96 "$check_dir" -96dpi 0 1 2 3 4 5 6 7 8
    shots 120 "$check_dir" -120dpi 0 1 2 3 4 5 6 7 8
    shots 144 "$check_dir" -144dpi 0 1 2 3 4 5 6 7 8
    shots 192 "$check_dir" -192dpi 0 1 2 3 4 5 6 7 8
else
    mkdir -p docs
    shots 96 docs "" 0 1 2 3 4 5 6 7 8
    shots 144 docs -144dpi 0 5
fi
