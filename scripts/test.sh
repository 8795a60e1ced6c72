#!/usr/bin/env bash
# Installs what is missing, checks the formatting, then builds and runs every test: a normal
# build with warnings as errors (with its installation tree and Debian package checked), the
# same under AddressSanitizer and UndefinedBehaviorSanitizer, the thread tests under
# ThreadSanitizer, and a bounded fuzz run of the schedule file reader.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# The print-queue test prints through CUPS with its PDF printer.
scripts/start-cups.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
fuzz_seconds=${ZEFT_FUZZ_SECONDS:-60}

step() { echo; echo "=== $* ==="; }

step "formatting"
# Every C++ file as .clang-format lays it out; quick, so before the builds.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

step "normal build"
cmake -S . -B build/ci -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEFT_WERROR=ON
cmake --build build/ci
ctest --test-dir build/ci --output-on-failure -j "$jobs"

step "installation tree and Debian package"
scripts/test-install.sh build/ci

step "AddressSanitizer and UndefinedBehaviorSanitizer build"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZEFT_WERROR=ON \
    -DZEFT_SANITIZE=address,undefined -DZEFT_BUILD_BENCH=OFF
cmake --build build/asan
# test_app_robustness, the randomised use of the window, runs here with its bounded defaults
# (ZEFT_ROBUSTNESS_EVENTS and ZEFT_ROBUSTNESS_SEEDS run it longer).
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp \
    ctest --test-dir build/asan --output-on-failure -j "$jobs"

step "ThreadSanitizer build"
scripts/test-tsan.sh

step "fuzzing the schedule file reader for ${fuzz_seconds} s"
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZEFT_WERROR=ON -DZEFT_BUILD_FUZZ=ON -DZEFT_SANITIZE=address,undefined
cmake --build build/fuzz
rm -rf build/fuzz/corpus && mkdir -p build/fuzz/corpus
build/fuzz/fuzz/fuzz_schedule_file -max_total_time="$fuzz_seconds" -max_len=65536 -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -dict=fuzz/zeft.dict build/fuzz/corpus fuzz/corpus
echo
echo "All tests passed."
