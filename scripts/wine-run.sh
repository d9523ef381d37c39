#!/usr/bin/env bash
# Emulator for the cross-compiled test programs: runs a Windows program in the project's Wine prefix.
# The test command starts the display and the Wine server around the whole run.
#
# Wine starts helper processes (services, the desktop) on first use, and they inherit the standard
# streams of the program that started them. If those were CTest's pipes, CTest would wait for the
# helpers to exit, i.e. forever. So the program writes to a file, which is printed afterwards.
. "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"
wine_setup_env
output=$(mktemp "${TMPDIR:-/tmp}/tavrin-wine.XXXXXX")
"$(wine_loader)" "$@" </dev/null >"$output" 2>&1
status=$?
tr -d '\r' <"$output"
rm -f "$output"
exit $status
