#!/usr/bin/env bash
# Builds everything and runs the program's main job on the default simulated
# adapter: WavorelVista starts in station mode, its worker finds the adapter
# and reports the link into the main dialog's status page and the tray; then
# it runs once more in soft-AP mode, where the AP worker fills the basic page
# and reports the AP's state to the tray.
#
# Headless (no DISPLAY, or WAVOREL_HEADLESS set) the station run writes the
# main dialog as build/demo/main-dialog.png and the tray icons as
# build/demo/tray.txt, the AP run build/demo/ap-main-dialog.png and
# build/demo/ap-tray.txt; each run ends after WAVOREL_RUN_MS milliseconds
# (default 6000; set it empty to keep the program running until it is asked
# to stop, e.g. by a start with /EndPrevInst). The station run uses the usual
# platform root; the AP run a root of its own (build/demo/ap-root) whose saved
# mode is soft AP, so the usual root's mode is left as it was. With a display
# it is a normal window: drag it, switch modes, and end it from the tray
# menu's "Exit".
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
export WAVOREL_HEADLESS=1
export WAVOREL_RUN_MS="${WAVOREL_RUN_MS-6000}"

# One headless run: the prefix of its files' names, then the program's arguments.
run() {
  local shot=$out/$1main-dialog.png tray=$out/$1tray.txt status=0
  shift
  rm -f "$shot" "$tray"
  WAVOREL_SCREENSHOT="$PWD/$shot" WAVOREL_TRAY="$PWD/$tray" build/apps/WavorelVista "$@" || status=$?
  if [ -f "$shot" ]; then
    echo "Main dialog: $shot"
  fi
  if [ -f "$tray" ]; then
    echo "Tray:"
    sed 's/^/  /' "$tray"
  fi
  echo "WavorelVista ended with exit code $status"
  return "$status"
}

echo "Station mode:"
status=0
run "" "$@" || status=$?

# Soft-AP mode, on a root of its own whose saved mode is soft AP.
echo "Soft-AP mode:"
aproot=$PWD/$out/ap-root
bash tools/ap-root.sh "$aproot"
apstatus=0
WAVOREL_ROOT="$aproot" run ap- "$@" || apstatus=$?
((status != 0)) && exit "$status"
exit "$apstatus"
