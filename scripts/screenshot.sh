#!/usr/bin/env bash
# Makes the README's picture of the main window, docs/main-window.png: the demonstration as it
# opens, on an Xvfb display of its own, taken with ImageMagick's import.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# Only this script needs ImageMagick.
if ! dpkg-query -W -f='${Status}' imagemagick 2>/dev/null | grep -q "install ok installed"; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq imagemagick
fi
. scripts/display.sh

build=build/release
output=docs/main-window.png
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMBREL_BUILD_TESTS=OFF \
    -DTAMBREL_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target tambrel-demo

display_session

display_start || { echo "screenshot: no Xvfb display" >&2; exit 1; }
"$build/bin/tambrel-demo" >"$work/app.log" 2>&1 &
app_pid=$!
window=$(display_wait_for_window Untitled "$app_pid" 60) || {
    cat "$work/app.log" >&2
    echo "screenshot: the main window \"Untitled\" was never mapped" >&2
    exit 1
}
# Mapped is not yet painted: give the list its first paint.
sleep 2
mkdir -p "$(dirname "$output")"
import -window "$window" "png:$work/shot.png"
# No time stamps or other chunks that would change the file on every run.
convert "$work/shot.png" -strip "png:$output"
display_press "$window" ctrl+q
for _ in $(seq 100); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
echo "screenshot: $output ($(identify -format '%wx%h' "$output"))"
