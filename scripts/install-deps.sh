#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demonstration need, when missing.
set -euo pipefail
packages=(cmake ninja-build g++ qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev
          fonts-dejavu-core
          # more faces for the text width tests: kerning, OpenType ligatures, contextual
          # alternates, colour emoji
          fonts-liberation2 fonts-linuxlibertine fonts-ebgaramond fonts-noto-color-emoji
          # the end-to-end tests: a real X server, window manager and X input
          python3 xvfb openbox xdotool x11-utils)
# The demonstration under valgrind on an X display of its own (scripts/valgrind.sh).
packages+=(valgrind)
# libFuzzer's compiler and runtime, for scripts/fuzz.sh only (it passes --fuzz).
if [ "${1:-}" = --fuzz ]; then
    packages+=(clang libclang-rt-14-dev)
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
