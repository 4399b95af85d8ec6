#!/usr/bin/env bash
# Runs one libFuzzer program: first every saved regression input once, then fuzzing for a
# set time from a working corpus that starts as a copy of the seed folders. The working
# corpus lives in the build folder, so the repository never receives generated inputs.
#
#   run_fuzzer.sh FUZZER SECONDS MAX_LEN WORK_DIR REGRESSION_DIR [SEED_DIR...]
set -euo pipefail

fuzzer=$1 seconds=$2 max_len=$3 work=$4 regressions=$5
shift 5

mkdir -p "$work/corpus" "$work/artifacts"

shopt -s nullglob
saved=("$regressions"/*)
if ((${#saved[@]} > 0)); then
    echo "run_fuzzer: replaying ${#saved[@]} regression input(s) from $regressions"
    "$fuzzer" -runs=1 "${saved[@]}"
fi

for seeds in "$@"; do
    for seed in "$seeds"/*.vcf; do
        cp -n "$seed" "$work/corpus/"
    done
done

echo "run_fuzzer: fuzzing for ${seconds}s; findings go to $work/artifacts"
"$fuzzer" -max_total_time="$seconds" -max_len="$max_len" -timeout=30 -rss_limit_mb=4096 \
    -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/corpus"
