#!/usr/bin/env bash
# Installs what the program needs, builds it (Release, build/) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
deps/install.sh build
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DLK63_BUILD_TESTS=OFF
cmake --build build
exec build/bin/lk63-questionnaire
