#!/usr/bin/env bash
# Sets up, builds and runs every test: the native suites, then the Windows
# build's suites under Wine (a prefix of the build's own, null graphics driver).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh cmake ninja-build g++ libgtest-dev googletest clang libclang-rt-14-dev \
  g++-mingw-w64-x86-64 mingw-w64-tools libwine-dev wine wine64 xvfb

echo "== native build (build/native)"
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native

echo "== native tests"
ctest --test-dir build/native --output-on-failure -j2

echo "== the README's varnel-offline command, as a newcomer types it"
readme_command="$(sed -n '/^build\/native\/varnel-offline/,/[^\\]$/p' README.md)"
[ -n "$readme_command" ] || { echo "README.md shows no varnel-offline command"; exit 1; }
(
  scratch="$(mktemp -d)"
  trap 'rm -rf "$scratch"' EXIT
  ln -s "$(pwd)/build" "$(pwd)/scripts" "$scratch/"
  cd "$scratch" && bash -euo pipefail -c "$readme_command" >/dev/null
)

echo "== native tests under AddressSanitizer and UndefinedBehaviorSanitizer (build/sanitize)"
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DVARNEL_SANITIZE=address,undefined >/dev/null
cmake --build build/sanitize
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir build/sanitize --output-on-failure -j2

scripts/fuzz.sh 5

echo "== Windows build with mingw-w64 (build/windows)"
cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
cmake --build build/windows

echo "== Windows tests under Wine"
WINE_BUILD_DIR="$(pwd)/build/windows"
source scripts/wine-env.sh
start_wine null
trap stop_wine EXIT
ctest --test-dir build/windows --output-on-failure

echo "== the release package"
stop_wine
trap - EXIT
scripts/package.sh
