#!/bin/sh
# merulan-tool check beside merulan-tool index as processes, on the library tool_bench writes:
#   MERULAN_BENCH_LIBRARY=/tmp/merulan-tool-lib build/bench/bench/tool_bench
#   bench/tool_runs.sh build/bench/tools/merulan-tool/merulan-tool /tmp/merulan-tool-lib [RUNS]
# Runs alternate; prints each median in milliseconds and check / index.
set -eu
tool=$1
library=$2
runs=${3:-15}

elapsed_ms() {
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true # check exits 1 when it finds something
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

index_times=""
check_times=""
i=0
while [ "$i" -lt "$runs" ]; do
    index_times="$index_times $(elapsed_ms "$tool" index --codepage 932 "$library")"
    check_times="$check_times $(elapsed_ms "$tool" check --codepage 932 "$library")"
    i=$((i + 1))
done
index_median=$(printf '%s\n' $index_times | median)
check_median=$(printf '%s\n' $check_times | median)
echo "index: $index_median ms, check: $check_median ms (medians of $runs)"
awk -v c="$check_median" -v i="$index_median" 'BEGIN { printf "check / index: %.2f\n", c / i }'
