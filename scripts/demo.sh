#!/usr/bin/env bash
# Sets up, builds and runs the demo: the stand-in PowerLogic with a small
# controller board, the stand-in PowerPCB with its layout, and Varnel.
# With a display (DISPLAY set) the three windows open and you work by hand.
# Without one, the demo runs under Xvfb and walks through the workflow
# itself, printing each step and saving screenshots in build/demo.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ "${1:-}" != --inside-xvfb ]]; then
  scripts/setup.sh wine wine64 xvfb
  scripts/build-windows.sh
fi

export VARNEL_WINEPREFIX="$(pwd)/build/windows/wineprefix-desktop"
source scripts/wine-env.sh
out="$(pwd)/build/demo"

run_demo() {  # MODE: --walkthrough or --interactive
  # The walkthrough's pictures: a desktop of Wine's own, with frames and styles.
  if [[ "$1" == --walkthrough ]]; then start_wine x11 1280x620; else start_wine x11; fi
  trap stop_wine EXIT
  local design layout folder
  design="$(winepath -w scripts/demo/board.design 2>/dev/null)"
  layout="$(winepath -w scripts/demo/board.layout 2>/dev/null)"
  folder="$(winepath -w "$out" 2>/dev/null)"
  local extra=()
  [[ "$1" == --interactive ]] && extra=(--interactive)
  wine build/windows/varnel-demo.exe "$design" "$layout" "$folder" "${extra[@]}" </dev/null
}

if [[ "${1:-}" == --inside-xvfb ]]; then
  run_demo --walkthrough
elif [[ -n "${DISPLAY:-}" && "${1:-}" != --headless ]]; then
  echo "== demo on $DISPLAY: the three windows open; close Varnel to end"
  rm -rf "$out" && mkdir -p "$out"
  run_demo --interactive
else
  echo "== demo without a display: a scripted walkthrough under Xvfb"
  rm -rf "$out" && mkdir -p "$out"
  xvfb-run -a -s "-screen 0 1280x720x24" "$0" --inside-xvfb
fi
