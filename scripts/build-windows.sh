#!/usr/bin/env bash
# Builds the Windows programs with mingw-w64 into build/windows.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh cmake ninja-build g++-mingw-w64-x86-64 googletest
echo "== Windows build with mingw-w64 (build/windows)"
cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
cmake --build build/windows
