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
export TAVRIN_EXPECT_DPI=$dpi
unset WINEPREFIX
trap wine_and_display_stop EXIT
wine_screen_start "$dpi" || exit 1

# wine-run.sh runs the program in the exported WINEPREFIX and DISPLAY and passes on its exit status.
"$TAVRIN_ROOT/scripts/wine-run.sh" "$@"
exit $?
