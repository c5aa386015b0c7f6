#!/usr/bin/env bash
# Installs what is missing, then builds twice (normal, and with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test in both builds, then runs the demonstration
# under valgrind.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Leaks inside the platform's font and display libraries are not ours to fix.
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0

status=0
for kind in normal asan; do
    dir=build/test-$kind
    sanitize=OFF
    [ "$kind" = asan ] && sanitize=ON
    echo "== $kind build"
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAMBREL_SANITIZE=$sanitize >/dev/null
    cmake --build "$dir" -j "$jobs"
    echo "== $kind tests"
    ctest --test-dir "$dir" -j "$jobs" --output-on-failure --timeout 300 -LE e2e || status=1
done

# End-to-end: the demonstration on Xvfb with openbox, driven by real X input. Two at a time,
# each on a display of its own; a failure leaves a screenshot in build/test-normal/e2e-output.
echo "== end-to-end tests"
ctest --test-dir build/test-normal -j 2 --output-on-failure --timeout 600 -L e2e || status=1

# -- valgrind: the demonstration starts and quits without a report (scripts/valgrind.sh).
echo "== valgrind"
TAMBREL_DEPS_DONE=1 scripts/valgrind.sh || status=1
exit $status
