#!/usr/bin/env bash
# Runs a Windows program on a screen of another DPI: in the Wine prefix of that DPI (LogPixels set, beside
# the default prefix in the build tree), on a private Xvfb display as much larger than the usual one as
# the DPI is, with a Wine server of its own. Both are stopped at the end.
#
#   scripts/wine-dpi-run.sh DPI PROGRAM [ARGUMENTS...]
#
# The program learns the DPI it is meant to see from TAVRIN_EXPECT_DPI.
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

dpi=$1
shift
export TAVRIN_DPI=$dpi TAVRIN_EXPECT_DPI=$dpi
unset WINEPREFIX
trap wine_and_display_stop EXIT
xvfb_start "$((1600 * dpi / 96))x$((1000 * dpi / 96))" || exit 1
wine_prefix_init
wineserver_start

# The program writes to a file, not to CTest's pipes (see wine-run.sh).
output=$(mktemp "${TMPDIR:-/tmp}/tavrin-wine.XXXXXX")
"$(wine_loader)" "$@" </dev/null >"$output" 2>&1
status=$?
tr -d '\r' <"$output"
rm -f "$output"
exit $status
