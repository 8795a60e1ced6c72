#!/usr/bin/env bash
# Builds the radio link's thread tests with ThreadSanitizer and runs them; any finding fails.
# The connection thread keeps its own synchronisation in standard C++; most tests deliver its
# notifications through a standard C++ stand-in for the event loop, so the run sees every
# hand-over between the threads, and one test delivers them through Qt's event loop as the
# program does. tests/radio/tsan.supp explains the one suppression. The document's tests run
# too: it reads a file's digest and frees the rooms a load lets go of on threads of its own
# (ThreadSanitizer sees the program's and the standard library's accesses, not Qt's).
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZEFT_WERROR=ON \
    -DZEFT_SANITIZE=thread -DZEFT_BUILD_BENCH=OFF
cmake --build build/tsan --target test_radio_thread test_radio_qt test_document
export TSAN_OPTIONS="halt_on_error=1 abort_on_error=1 second_deadlock_stack=1 exitcode=66 \
suppressions=$PWD/tests/radio/tsan.supp"
build/tsan/tests/radio/test_radio_thread
build/tsan/tests/radio/test_radio_qt
build/tsan/tests/document/test_document
