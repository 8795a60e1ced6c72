#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DZEFT_BUILD_TESTS=OFF -DZEFT_BUILD_BENCH=OFF
cmake --build build/release
exec build/release/app/zeft
