#!/usr/bin/env bash
# Takes the README's screenshots: runs the headless demo under Xvfb, on a
# desktop of Wine's own with visual styles, and keeps its pictures of the
# main window, the report window, the Preview window and its board map, the
# About box and the whole desktop in docs/.
set -euo pipefail
cd "$(dirname "$0")/.."
env -u DISPLAY scripts/demo.sh --headless
cp build/demo/03-all-run-options.png docs/main-window.png
cp build/demo/04-ignored-designators.png docs/report-window.png
cp build/demo/07-preview-with-map.png docs/preview-window.png
cp build/demo/06-desktop.png docs/desktop.png
cp build/demo/09-about.png docs/about-box.png
cp build/demo/10-recovery.png docs/recovery-box.png
cp build/demo/11-numbering-options.png docs/numbering-options.png
cp build/demo/16-preview-board-map.png docs/preview-board-map.png
echo "== screenshots: docs/main-window.png docs/report-window.png docs/preview-window.png" \
  "docs/desktop.png docs/about-box.png docs/recovery-box.png docs/numbering-options.png" \
  "docs/preview-board-map.png"
