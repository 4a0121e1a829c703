#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then builds and runs
# the tests again with AddressSanitizer and UBSan (all but those that need a
# display). Usage: ./test.sh
set -euo pipefail
cd "$(dirname "$0")"

tools/install-deps.sh

jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVID_SANITIZE=ON -DKORVID_BENCHMARKS=OFF
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" -LE display
