#!/usr/bin/env bash
# Start-up time of tavrin.exe under Wine with a generated 50-year diary: from process start to the
# first painted frame, once cold and then warm. Prints the runs and the warm median.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"
runs=${1:-8}

ensure_packages "${TAVRIN_NATIVE_PACKAGES[@]}" "${TAVRIN_WINDOWS_PACKAGES[@]}"
cd "$TAVRIN_ROOT"
cmake --preset windows >/dev/null && cmake --build --preset windows -j"$(nproc)" --target tavrin tavrin_drive
cmake --preset native >/dev/null && cmake --build --preset native -j"$(nproc)" --target tavrin_diarygen

work=$(mktemp -d)
trap 'wine_and_display_stop; rm -rf "$work"' EXIT
mkdir -p "$work/RaRorir"
"$TAVRIN_BUILD/native/tools/diarygen/tavrin_diarygen" --out "$work/RaRorir" --years 50 --last-year "$(date +%Y)" >/dev/null
cp "$TAVRIN_BUILD/windows/src/main/tavrin.exe" "$work/"
log "diary: $(ls "$work/RaRorir" | wc -l) month files, $(du -sh "$work/RaRorir" | cut -f1)"
xvfb_start
wine_prefix_init
wineserver_start
"$TAVRIN_ROOT/scripts/wine-run.sh" "$TAVRIN_BUILD/windows/tools/drive/tavrin_drive.exe" startup "$(winepath_of "$work/tavrin.exe")" "$runs"
