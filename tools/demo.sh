#!/usr/bin/env bash
# Builds everything and runs the program's main job on the default simulated
# adapter: WavorelVista starts in station mode, its worker finds the adapter
# and reports the link into the main dialog's status page and the tray.
#
# Headless (no DISPLAY, or WAVOREL_HEADLESS set) the run writes the main
# dialog as build/demo/main-dialog.png and the tray icons as build/demo/tray.txt
# and ends after WAVOREL_RUN_MS milliseconds (default 6000; set it empty to
# keep the program running until it is asked to stop, e.g. by a start with
# /EndPrevInst). With a display it is a normal window: drag it, switch modes,
# and end it from the tray menu's "Exit".
# Arguments go to the program (/AutoHide, /AllowMI, ...).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j "$(nproc)"

if [ -n "${DISPLAY:-}" ] && [ -z "${WAVOREL_HEADLESS:-}" ]; then
  exec build/apps/WavorelVista "$@"
fi

out=build/demo
mkdir -p "$out"
rm -f "$out/main-dialog.png" "$out/tray.txt"
export WAVOREL_HEADLESS=1
export WAVOREL_RUN_MS="${WAVOREL_RUN_MS-6000}"
export WAVOREL_SCREENSHOT="$PWD/$out/main-dialog.png"
export WAVOREL_TRAY="$PWD/$out/tray.txt"
status=0
build/apps/WavorelVista "$@" || status=$?
if [ -f "$out/main-dialog.png" ]; then
  echo "Main dialog: $out/main-dialog.png"
fi
if [ -f "$out/tray.txt" ]; then
  echo "Tray:"
  sed 's/^/  /' "$out/tray.txt"
fi
echo "WavorelVista ended with exit code $status"
exit "$status"
