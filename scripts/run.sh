#!/usr/bin/env bash
# Installs what is missing, builds the demonstration and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMBREL_BUILD_TESTS=OFF -DTAMBREL_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --target tambrel-demo
exec build/release/bin/tambrel-demo
