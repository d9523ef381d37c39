#!/usr/bin/env bash
# Search speed with a generated 50-year diary. First the core search beside ripgrep (the native
# benchmark: core and rg medians and their ratio per word, a dense word among them), then the whole
# program under Wine: Enter in the search box until the result list is painted and the first hit's
# entry is loaded, for a word found in about nine entries of ten. Usage: bench-search.sh [WORD [RUNS]]
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"
word=${1:-った}
runs=${2:-11}

ensure_packages "${TAVRIN_NATIVE_PACKAGES[@]}" "${TAVRIN_WINDOWS_PACKAGES[@]}"
cd "$TAVRIN_ROOT"
cmake --preset native >/dev/null && cmake --build --preset native -j"$(nproc)" --target search_benchmark tavrin_diarygen
cmake --preset windows >/dev/null && cmake --build --preset windows -j"$(nproc)" --target tavrin tavrin_drive

log "core search beside rg -j1 -F -i -l"
"$TAVRIN_BUILD/native/tests/search/search_benchmark"

work=$(mktemp -d)
trap 'wine_and_display_stop; rm -rf "$work"' EXIT
mkdir -p "$work/RaRorir"
"$TAVRIN_BUILD/native/tools/diarygen/tavrin_diarygen" --out "$work/RaRorir" --years 50 --last-year "$(date +%Y)" >/dev/null
cp "$TAVRIN_BUILD/windows/src/main/tavrin.exe" "$work/"
log "diary: $(ls "$work/RaRorir" | wc -l) month files, $(du -sh "$work/RaRorir" | cut -f1); word: $word"
xvfb_start
wine_prefix_init
wineserver_start
drive() { "$TAVRIN_ROOT/scripts/wine-run.sh" "$TAVRIN_BUILD/windows/tools/drive/tavrin_drive.exe" "$@"; }
# measure TITLE [TYPING_MS]: starts the program, times the searches, closes it.
measure() {
    (cd "$work" && exec "$(wine_loader)" tavrin.exe </dev/null >/dev/null 2>&1) &
    local app=$!
    drive wait 60000 >/dev/null
    log "Enter in the search box to the painted list, under Wine: $1"
    drive search-timing "$word" "$runs" "${2:-0}"
    drive close 60000
    wait "$app" || true
}
measure "the first search reads every month file (Enter at once after start-up)"
measure "the box focused 2 s before the first Enter (the month files are read meanwhile)" 2000
