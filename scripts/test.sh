#!/usr/bin/env bash
# Sets up, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh cmake ninja-build g++ libgtest-dev

echo "== native build (build/native)"
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native

echo "== native tests"
ctest --test-dir build/native --output-on-failure -j2
