#!/usr/bin/env bash
# Emulator for the cross-compiled test programs: runs a Windows program in the project's Wine prefix.
# The test command starts the display and the Wine server around the whole run.
. "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"
wine_setup_env
exec "$(wine_loader)" "$@"
