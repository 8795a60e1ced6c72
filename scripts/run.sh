#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DZEFT_BUILD_TESTS=OFF -DZEFT_BUILD_BENCH=OFF
cmake --build build/release
if [ -x build/release/app/zeft ]; then
    exec build/release/app/zeft
fi
echo "Built the libraries. The program's main window is not there yet, so there is nothing to start."
