#!/usr/bin/env bash
# Runs the demonstration under valgrind on an X display of its own: starts it, waits until the
# main window is mapped, quits it with Ctrl+Q and fails on any valgrind report (less those in
# scripts/valgrind.supp) or a non-zero exit. Usage: scripts/valgrind.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${TAMBREL_DEPS_DONE:-}" = 1 ] || scripts/install-deps.sh

build=${1:-build/release}
limit=300 # seconds for the whole run under valgrind
started=$SECONDS

# Optimised with debug information: fast enough under valgrind, still readable stacks.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMBREL_BUILD_TESTS=OFF \
    -DTAMBREL_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target tambrel-demo

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
    local rc=$?
    if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then
        kill "$app_pid" 2>/dev/null || true
        wait "$app_pid" 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
    exit $rc
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

fail() {
    echo "valgrind run: $*" >&2
    [ -s "$work/app.log" ] && cat "$work/app.log" >&2
    [ -s "$work/valgrind.log" ] && cp "$work/valgrind.log" /tmp/vg-last.log && cat "$work/valgrind.log" >&2
    exit 1
}

# Xvfb picks a free display number itself and writes it to the descriptor given.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; fail "Xvfb did not start"; }
    sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb gave no display number"
export DISPLAY=":$(head -n1 "$work/display")"
for _ in $(seq 50); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.1
done
xdotool getdisplaygeometry >/dev/null 2>&1 || fail "display $DISPLAY does not answer"
# The caller's environment may choose the offscreen platform (scripts/test.sh does).
export QT_QPA_PLATFORM=xcb
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"

# A fork that is about to run another program (D-Bus's launcher) is not ours to check.
timeout -k 10 "$limit" valgrind --error-exitcode=9 --leak-check=full \
    --errors-for-leak-kinds=definite,possible --show-leak-kinds=definite,possible \
    --child-silent-after-fork=yes --num-callers=40 --gen-suppressions=all \
    --suppressions=scripts/valgrind.supp --log-file="$work/valgrind.log" \
    "$build/bin/tambrel-demo" >"$work/app.log" 2>&1 &
app_pid=$!

running() { kill -0 "$app_pid" 2>/dev/null; }

window=""
while [ -z "$window" ] && running && [ $((SECONDS - started)) -lt "$limit" ]; do
    window=$(xdotool search --onlyvisible --name '^Untitled$' 2>/dev/null | head -n1 || true)
    [ -n "$window" ] || sleep 0.5
done
[ -n "$window" ] || fail "the main window \"Untitled\" was never mapped"

# No window manager runs here: give the window the keyboard, then press Ctrl+Q as a person
# would (XTEST). A press that came before the window was ready is repeated.
next_press=$SECONDS
while running; do
    if [ "$SECONDS" -ge "$next_press" ]; then
        xdotool windowfocus --sync "$window" 2>/dev/null || true
        xdotool key --clearmodifiers ctrl+q 2>/dev/null || true
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
echo "valgrind run: clean, $((SECONDS - started)) s"
