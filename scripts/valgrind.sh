#!/usr/bin/env bash
# Runs the demonstration under valgrind on an X display of its own: starts it, waits until the
# main window is mapped, quits it with Ctrl+Q and fails on any valgrind report (less those in
# scripts/valgrind.supp) or a non-zero exit. Usage: scripts/valgrind.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${TAMBREL_DEPS_DONE:-}" = 1 ] || scripts/install-deps.sh
. scripts/display.sh

build=${1:-build/release}
limit=300 # seconds for the run under valgrind
begun=$SECONDS

# Optimised with debug information: fast enough under valgrind, still readable stacks.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMBREL_BUILD_TESTS=OFF \
    -DTAMBREL_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target tambrel-demo
started=$SECONDS

display_session

fail() {
    echo "valgrind run: $*" >&2
    [ -s "$work/app.log" ] && cat "$work/app.log" >&2
    [ -s "$work/valgrind.log" ] && cat "$work/valgrind.log" >&2
    exit 1
}

display_start || fail "no Xvfb display"

# A fork that is about to run another program (D-Bus's launcher) is not ours to check.
timeout -k 10 "$limit" valgrind --error-exitcode=9 --leak-check=full \
    --errors-for-leak-kinds=definite,possible --show-leak-kinds=definite,possible \
    --child-silent-after-fork=yes --num-callers=40 --gen-suppressions=all \
    --suppressions=scripts/valgrind.supp --log-file="$work/valgrind.log" \
    "$build/bin/tambrel-demo" >"$work/app.log" 2>&1 &
app_pid=$!

window=$(display_wait_for_window Untitled "$app_pid" $((limit - (SECONDS - started)))) ||
    fail "the main window \"Untitled\" was never mapped"

# A press that came before the window was ready is repeated.
next_press=$SECONDS
while kill -0 "$app_pid" 2>/dev/null; do
    if [ "$SECONDS" -ge "$next_press" ]; then
        display_press "$window" ctrl+q
        next_press=$((SECONDS + 15))
    fi
    sleep 0.2
done

rc=0
wait "$app_pid" || rc=$?
app_pid=""
case $rc in
0) ;;
9) fail "valgrind reported errors" ;;
124 | 137) fail "the demonstration did not quit within $limit seconds" ;;
*) fail "the demonstration exited with $rc" ;;
esac
grep -q "ERROR SUMMARY: 0 errors" "$work/valgrind.log" || fail "no clean error summary"
echo "valgrind run: clean, $((SECONDS - started)) s under valgrind, $((started - begun)) s to build"
