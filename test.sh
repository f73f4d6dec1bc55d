#!/usr/bin/env bash
# Installs what the program and its tests need, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer (build-test/) and runs every test; then builds the
# fuzz targets with clang (build-fuzz/) and runs each for a bounded time.
set -euo pipefail
cd "$(dirname "$0")"
deps/install.sh test
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLK63_SANITIZE=ON -DLK63_BUILD_TESTS=ON
cmake --build build-test
cd build-test
ctest --output-on-failure --no-tests=error -j2
cd ..
fuzz/run.sh 8
