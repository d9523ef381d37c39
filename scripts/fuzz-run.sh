#!/usr/bin/env bash
# Short libFuzzer run: fuzzes from a copy of the checked-in corpus so the repository stays untouched.
# usage: fuzz-run.sh FUZZER SEED_CORPUS WORK_DIR SECONDS
set -euo pipefail
fuzzer=$1 seeds=$2 work=$3 seconds=$4
rm -rf "$work"
mkdir -p "$work"
exec "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=20 -print_final_stats=1 \
    "$work" "$seeds"
