#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every fuzz target for a bounded time and prints, per target, the
# executions, the coverage reached and the faults found.
#
#   fuzz/run.sh <folder of the fuzz_* programs> [seconds per target]
#
# Each target starts from its committed seed corpus (fuzz/corpus/<name>) and
# writes the inputs it finds into <folder>/corpus/<name>, so the committed
# corpus stays as it is; an input that breaks a property or crashes lands in
# <folder>/faults/<name>/. Add it to the committed corpus once it is fixed.
set -uo pipefail

bin_dir=$(cd "$1" && pwd)
seconds=${2:-60}
source_dir=$(cd "$(dirname "$0")" && pwd)
# The targets write files on every run: keep them in memory, in a folder of
# their own that goes at the end (a timed run stops in the middle of one).
memory=/dev/shm
[[ -d $memory && -w $memory ]] || memory=${TMPDIR:-/tmp}
scratch=$(mktemp -d "$memory/quartet-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

failed=0
summary=()
for program in "$bin_dir"/fuzz_*; do
    [[ -x $program ]] || continue
    name=${program##*/fuzz_}
    work="$bin_dir/corpus/$name"
    faults="$bin_dir/faults/$name/"
    log="$bin_dir/$name.log"
    mkdir -p "$work" "$faults"
    options=(-max_total_time="$seconds" -print_final_stats=1 -timeout=10 -artifact_prefix="$faults")
    [[ -f $source_dir/dict/$name.dict ]] && options+=(-dict="$source_dir/dict/$name.dict")

    echo "fuzzing $name for $seconds s ..."
    TMPDIR=$scratch "$program" "${options[@]}" "$work" "$source_dir/corpus/$name" >"$log" 2>&1
    status=$?

    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    [[ -n $executions ]] || executions=$(grep -o '^#[0-9]*' "$log" | tail -1 | tr -d '#')
    progress=$(grep -E '^#[0-9]+' "$log" | grep 'cov:' | tail -1)
    coverage=$(grep -o 'cov: [0-9]*' <<<"$progress" | grep -o '[0-9]*')
    features=$(grep -o 'ft: [0-9]*' <<<"$progress" | grep -o '[0-9]*')
    instrumented=$(sed -n 's/.*(\([0-9]*\) inline 8-bit counters).*/\1/p' "$log" | head -1)
    inputs=$(ls "$work" | wc -l)
    found=$(ls "$faults" | wc -l)
    line="$name: ${executions:-0} executions, coverage ${coverage:-?} of ${instrumented:-?} edges (${features:-?} features), $inputs new corpus inputs, "
    if [[ $status -ne 0 || $found -ne 0 ]]; then
        failed=1
        line+="FAULT (exit $status): see $log and $faults"
        grep -E 'property broken|ERROR: |SUMMARY' "$log" | head -5
    else
        line+="no faults"
    fi
    summary+=("$line")
done

echo
printf '%s\n' "${summary[@]}"
exit $failed
