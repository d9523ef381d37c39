#!/usr/bin/env bash
# The release zip's test: unpacks tavrin-<version>-win64.zip into an empty folder and runs the given
# Windows test program under Wine, which starts tavrin.exe from that folder. The zip is made by
# "cmake --build --preset windows --target package" (the test command does it before the tests run).
#
#   scripts/test-release.sh ZIP TEST-PROGRAM [ARGUMENTS...]
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

zip=$1
shift
if [ ! -f "$zip" ]; then
    echo "test-release.sh: $zip is missing; build it with: cmake --build --preset windows --target package" >&2
    exit 1
fi
name=$(basename "$zip" .zip)
version=${name#tavrin-}
version=${version%-win64}
folder=$(mktemp -d "${TMPDIR:-/tmp}/tavrin-release.XXXXXX")
trap 'rm -rf "$folder"' EXIT
unzip -q "$zip" -d "$folder" || exit 1
TAVRIN_RELEASE_FOLDER=$(winepath_of "$folder") TAVRIN_RELEASE_VERSION=$version \
    "$TAVRIN_ROOT/scripts/wine-run.sh" "$@"
