#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks (Release, in build/bench), runs every
# benchmark program on the offscreen platform and prints, last, the comparison tables of all
# of them together. The start-up table also covers Xvfb when it is installed (it is, by
# scripts/install-deps.sh). Takes a few minutes; keep other heavy work off the machine.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -n "${TAMBREL_DEPS_DONE:-}" ] || scripts/install-deps.sh
dir=build/bench
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAMBREL_BUILD_TESTS=OFF \
    -DTAMBREL_BUILD_BENCH=ON >/dev/null
cmake --build "$dir" -j 4
export QT_QPA_PLATFORM=offscreen
runtime=$(mktemp -d)
log=$(mktemp)
trap 'rm -rf "$runtime" "$log"' EXIT
export XDG_RUNTIME_DIR=$runtime

status=0
for program in resize_columns_bench fill_memory_bench paint_bench listbox_paint_bench \
               startup_bench; do
    echo "== $program" | tee -a "$log"
    # Each table starts with a line "== <number>. ..." and runs to the program's end.
    "$dir/bin/$program" 2>&1 | tee -a "$log" || status=1
done

echo
echo "================ Tambrel against Qt (every ratio: Qt's time or bytes / ours)"
awk '/^== [0-9]+\./ { keep = 1; print "" } /^== [a-z_]+$/ { keep = 0 } keep' "$log" | \
    sed 's/\x1b\[[0-9;]*m//g' | cat -s
exit $status
