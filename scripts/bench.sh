#!/usr/bin/env bash
# Runs the benchmarks: the native ones (Google Benchmark) on generated designs
# of 1000 and 10001 components, then a run across processes under Wine, with
# a bare IDispatch round trip measured beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh cmake ninja-build g++ libbenchmark-dev g++-mingw-w64-x86-64 mingw-w64-tools libwine-dev \
  googletest wine wine64

echo "== native benchmarks (build/bench)"
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVARNEL_BENCH=ON \
  -DVARNEL_TESTS=OFF >/dev/null
cmake --build build/bench
build/bench/bench/varnel_bench "$@"

echo "== across processes under Wine"
cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release -DVARNEL_BENCH=ON \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
cmake --build build/windows
source scripts/wine-env.sh
start_wine null
trap stop_wine EXIT
wine build/windows/bench/varnel-bench-com.exe 1000 </dev/null
wine build/windows/bench/varnel-bench-com.exe 10001 numbered </dev/null
