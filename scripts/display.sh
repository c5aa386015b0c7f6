# Sourced by the scripts that show the demonstration on an Xvfb display of their own
# (scripts/valgrind.sh, scripts/screenshot.sh), which call display_session first.

display_pid=""

# A scratch folder in $work, the application's pid in $app_pid (set by the caller), and on
# every exit the application, the display and the folder cleaned up.
display_session() {
    work=$(mktemp -d)
    app_pid=""
    trap display_cleanup EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM HUP
}

display_cleanup() {
    local rc=$?
    if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then
        kill "$app_pid" 2>/dev/null || true
        wait "$app_pid" 2>/dev/null || true
    fi
    display_stop
    rm -rf "$work"
    exit $rc
}

# Starts Xvfb on a free display number (Xvfb picks it) and exports DISPLAY for it.
display_start() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" \
        2>"$work/xvfb.log" &
    display_pid=$!
    local _
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        if ! kill -0 "$display_pid" 2>/dev/null; then
            cat "$work/xvfb.log" >&2
            return 1
        fi
        sleep 0.1
    done
    [ -s "$work/display" ] || return 1
    export DISPLAY=":$(head -n1 "$work/display")"
    for _ in $(seq 50); do
        xdotool getdisplaygeometry >/dev/null 2>&1 && break
        sleep 0.1
    done
    xdotool getdisplaygeometry >/dev/null 2>&1 || return 1
    # The caller's environment may choose the offscreen platform (scripts/test.sh does).
    export QT_QPA_PLATFORM=xcb
    mkdir -m 700 "$work/runtime"
    export XDG_RUNTIME_DIR="$work/runtime"
}

display_stop() {
    if [ -n "$display_pid" ]; then
        kill "$display_pid" 2>/dev/null || true
        wait "$display_pid" 2>/dev/null || true
        display_pid=""
    fi
}

# Prints the id of the mapped window titled exactly $1 once there is one; gives up when the
# process $2 ends or $3 seconds (counted on $SECONDS) have passed.
display_wait_for_window() {
    local title=$1 pid=$2 until=$(($SECONDS + $3)) window=""
    while [ -z "$window" ] && kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$until" ]; do
        window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n1 || true)
        [ -n "$window" ] || sleep 0.5
    done
    [ -n "$window" ] && echo "$window"
}

# No window manager runs here: gives the window the keyboard, then presses the keys as a
# person would (XTEST).
display_press() {
    xdotool windowfocus --sync "$1" 2>/dev/null || true
    xdotool key --clearmodifiers "$2" 2>/dev/null || true
}
