#!/usr/bin/env bash
# Renders the editor screenshots in docs/ with the editor test host under Xvfb: the sample entry
# plain, with a selection, at Alpha 100 with the drop shadow switched on (which full opacity leaves
# out), and at the default Alpha with the drop shadow. Look at them after changes to the editor's
# painting, then commit them.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"

cd "$TAVRIN_ROOT"
cmake --preset windows >/dev/null && cmake --build --preset windows -j2 --target editor_host
trap wine_and_display_stop EXIT
xvfb_start
wine_prefix_init
wineserver_start

host=$TAVRIN_BUILD/windows/tools/editor_host/editor_host.exe
mkdir -p docs
shot() {
    local name=$1
    shift
    "$TAVRIN_ROOT/scripts/wine-run.sh" "$host" --size 640x860 "$@" --screenshot "$(winepath_of docs)\\$name.png"
    log "docs/$name.png"
}
shot editor-plain
shot editor-selection --select
shot editor-alpha100-shadow --select --alpha 100 --shadow
shot editor-shadow --select --shadow
