#!/usr/bin/env bash
# The run command: installs what is missing, builds tavrin.exe, lays out the portable folder (the
# program with its tavrin.ini and diary folders beside it) and starts it under Wine in your display.
#
#   scripts/run.sh                        start Tavrin in $DISPLAY (portable folder: ./portable)
#   scripts/run.sh --screenshot FILE.png  start it headless under Xvfb, save a PNG of the main window,
#                                         then close it normally (so tavrin.ini gets written)
#   scripts/run.sh --folder DIR           use DIR as the portable folder
#   scripts/run.sh --dpi N                as on a screen of N DPI (120, 144, 192 ...): Wine's prefix
#                                         for that DPI (build/wineprefix-dpiN), and with --screenshot
#                                         a display as much larger as a screen of that DPI would be
#
# The Wine prefix is set up exactly as the test command's (scripts/lib/common.sh).
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

screenshot= folder=$TAVRIN_ROOT/portable dpi=96
while [ $# -gt 0 ]; do
    case $1 in
        --screenshot) screenshot=$(realpath -m "$2"); shift 2 ;;
        --folder) folder=$(realpath -m "$2"); shift 2 ;;
        --dpi) dpi=$2; shift 2 ;;
        -h|--help) sed -n '2,14p' "$0"; exit 0 ;;
        *) echo "run.sh: unknown option $1" >&2; exit 2 ;;
    esac
done
case $dpi in
    '' | *[!0-9]*) echo "run.sh: --dpi takes a number such as 144" >&2; exit 2 ;;
esac
export TAVRIN_DPI=$dpi
export WINEPREFIX
WINEPREFIX=$(wine_prefix_for_dpi "$dpi")

ensure_packages "${TAVRIN_WINDOWS_PACKAGES[@]}"
cd "$TAVRIN_ROOT"
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc 2>/dev/null || echo 2)" --target tavrin tavrin_drive

mkdir -p "$folder"
cp "$TAVRIN_BUILD/windows/src/main/tavrin.exe" "$folder/tavrin.exe"
drive=$TAVRIN_BUILD/windows/tools/drive/tavrin_drive.exe

if [ -z "$screenshot" ]; then
    if [ -z "${DISPLAY:-}" ]; then
        echo "run.sh: no DISPLAY; use --screenshot FILE to run headless" >&2
        exit 1
    fi
    wine_prefix_init
    cd "$folder"
    exec "$(wine_loader)" tavrin.exe
fi

trap wine_and_display_stop EXIT
xvfb_start "$((1600 * dpi / 96))x$((1000 * dpi / 96))"
wine_prefix_init
wineserver_start
(cd "$folder" && exec "$(wine_loader)" tavrin.exe </dev/null >/dev/null 2>&1) &
app=$!
geometry=$("$TAVRIN_ROOT/scripts/wine-run.sh" "$drive" wait 60000)
read -r left top width height <<<"$geometry"
# A frame partly off the screen is cut to what the screen shows.
[ "$left" -lt 0 ] && { width=$((width + left)); left=0; }
[ "$top" -lt 0 ] && { height=$((height + top)); top=0; }
sleep 0.5  # let the first paint reach the X server
mkdir -p "$(dirname "$screenshot")"
import -display "$DISPLAY" -window root -crop "${width}x${height}+${left}+${top}" +repage "$screenshot"
"$TAVRIN_ROOT/scripts/wine-run.sh" "$drive" close 30000
wait "$app" || true
log "screenshot: $screenshot; settings: $folder/tavrin.ini"
