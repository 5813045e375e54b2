#!/usr/bin/env bash
# Builds the Windows programs with mingw-w64 into build/windows.
set -euo pipefail
cd "$(dirname "$0")/.."
# widl (mingw-w64-tools) compiles the strict stand-in's type library from Wine's IDL files
# (libwine-dev) and the stdole2.tlb of libwine, which libwine-dev brings.
scripts/setup.sh cmake ninja-build g++-mingw-w64-x86-64 mingw-w64-tools libwine-dev wine googletest
echo "== Windows build with mingw-w64 (build/windows)"
cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
cmake --build build/windows
