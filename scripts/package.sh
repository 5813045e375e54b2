#!/usr/bin/env bash
# Builds the Windows programs and packs the release: build/Varnel-VERSION-win64.zip
# holding Varnel.exe and a README.txt for Windows users.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-windows.sh
version="$(sed -n 's/^project(Varnel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
stage="build/package/Varnel-$version"
zip="build/Varnel-$version-win64.zip"
rm -rf build/package "$zip"
mkdir -p "$stage"
cp build/windows/Varnel.exe "$stage/"
if x86_64-w64-mingw32-objdump -h "$stage/Varnel.exe" | grep -q '\.debug'; then
  echo "package: Varnel.exe carries debug sections (not stripped)"
  exit 1
fi
# Windows line ends, so that Notepad shows it as written.
sed -e "s/@VERSION@/$version/" -e 's/$/\r/' res/README.txt >"$stage/README.txt"
# The two files at the zip's root: Windows' "Extract All" makes the folder.
(cd "$stage" && cmake -E tar cf "../../../$zip" --format=zip Varnel.exe README.txt)
contents="$(cmake -E tar tf "$zip" | sort | tr '\n' ' ')"
[[ "$contents" == "README.txt Varnel.exe " ]] || { echo "package: unexpected contents: $contents"; exit 1; }
echo "== package: $zip ($contents; Varnel.exe $(stat -c %s "$stage/Varnel.exe") bytes)"
