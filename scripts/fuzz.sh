#!/usr/bin/env bash
# Fuzzes each libFuzzer target of fuzz/ for the given number of seconds (60 unless told),
# built with clang's -fsanitize=fuzzer,address,undefined and started from its checked-in
# corpus. New inputs go to build/fuzz/corpus/<target>, failing ones to
# build/fuzz/artifacts/<target>/. With --merge, the checked-in corpus is then replaced by a
# small set of inputs (old and new) that reaches every edge they reach.
#
# Usage: scripts/fuzz.sh [--merge] [seconds] [target...]
#        targets: property_stream format date open_type_layout listbox (all unless named)
set -euo pipefail
cd "$(dirname "$0")/.."

merge=0
if [ "${1:-}" = --merge ]; then
    merge=1
    shift
fi
seconds=${1:-60}
[ $# -gt 0 ] && shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(property_stream format date open_type_layout listbox)

scripts/install-deps.sh --fuzz
build=build/fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DTAMBREL_FUZZ=ON -DTAMBREL_BUILD_TESTS=OFF -DTAMBREL_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

# Leaks inside the platform's font and display libraries are not ours to fix.
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen

status=0
for target in "${targets[@]}"; do
    corpus=fuzz/corpus/$target
    work=$build/corpus/$target
    artifacts=$build/artifacts/$target/
    log=$build/fuzz-$target.log
    mkdir -p "$corpus" "$work" "$artifacts"
    echo "== fuzz $target for $seconds s"
    if "$build/bin/fuzz_$target" -max_total_time="$seconds" -artifact_prefix="$artifacts" \
        -print_final_stats=1 "$work" "$corpus" >"$log" 2>&1; then
        grep -E '^Done|number_of_executed_units|new_units_added' "$log" || true
    else
        status=1
        tail -n 60 "$log"
        echo "fuzz $target failed: the input is in $artifacts, the whole log in $log"
    fi
    if [ $merge = 1 ]; then
        merged=$(mktemp -d)
        "$build/bin/fuzz_$target" -merge=1 -use_counters=0 "$merged" "$corpus" "$work" >"$log.merge" 2>&1
        rm -f "$corpus"/*
        cp "$merged"/* "$corpus"/
        rm -rf "$merged"
        echo "fuzz $target: $(ls "$corpus" | wc -l) inputs, $(du -sh "$corpus" | cut -f1) kept in $corpus"
    fi
done
exit $status
