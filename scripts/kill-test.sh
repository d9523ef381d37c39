#!/usr/bin/env bash
# The kill tests, long campaigns (the test command runs short ones):
#   scripts/kill-test.sh [NATIVE_KILLS] [WINE_KILLS]
# 1. Native (default 10,000 kills): a child process saves month files and recovery files through the
#    diary store while its parent kills it at random moments; every file must always be a whole
#    version, never torn.
# 2. Under Wine (default 200 kills): the real tavrin.exe killed at random moments while text is typed,
#    saved and moved between days; after each restart nothing typed three seconds before the kill may
#    be missing from the month file or the recovery offer, and no file may be torn.
# Prints the figures of both.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"
native_kills=${1:-10000}
wine_kills=${2:-200}

ensure_packages "${TAVRIN_NATIVE_PACKAGES[@]}" "${TAVRIN_WINDOWS_PACKAGES[@]}"
cd "$TAVRIN_ROOT"
cmake --preset native >/dev/null && cmake --build --preset native -j"$(nproc)" --target store_kill_test
cmake --preset windows >/dev/null && cmake --build --preset windows -j"$(nproc)" --target tavrin_wine_kill_test

log "native: $native_kills kills of a child saving through the diary store"
"$TAVRIN_BUILD/native/tests/store/store_kill_test" --rounds "$native_kills" --seed "${KILL_TEST_SEED:-1}"

trap wine_and_display_stop EXIT
xvfb_start
wine_prefix_init
wineserver_start
log "Wine: $wine_kills kills of tavrin.exe while typing and saving"
"$TAVRIN_ROOT/scripts/wine-run.sh" "$TAVRIN_BUILD/windows/tests/e2e/tavrin_wine_kill_test.exe" \
    --rounds "$wine_kills" --seed "${KILL_TEST_SEED:-1}"
