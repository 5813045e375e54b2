#!/usr/bin/env bash
# Builds the fuzzers with clang (address and undefined-behaviour sanitizers)
# and runs each for SECONDS (default 5). A long run: scripts/fuzz.sh 3600
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-5}"
scripts/setup.sh cmake ninja-build clang libclang-rt-14-dev

echo "== fuzzers (build/fuzz), $seconds s each"
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVARNEL_FUZZ=ON -DVARNEL_TESTS=OFF -DVARNEL_SANITIZE=address,undefined >/dev/null
cmake --build build/fuzz
for fuzzer in design_file designator eco_writer file_name journal placement_file; do
  corpus="build/fuzz/corpus/$fuzzer"
  mkdir -p "$corpus"
  # New findings land in build/fuzz as crash-* files; the seeds stay as they are.
  build/fuzz/tests/fuzz/${fuzzer}_fuzz -max_total_time="$seconds" -artifact_prefix=build/fuzz/ \
    "$corpus" "tests/fuzz/corpus/$fuzzer" 2>&1 | grep -E '^Done|ERROR|SUMMARY' | sed "s/^/   $fuzzer: /"
  [[ ${PIPESTATUS[0]} -eq 0 ]] || { echo "fuzzer $fuzzer found a fault"; exit 1; }
done
