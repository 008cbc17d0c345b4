#!/usr/bin/env bash
# Builds everything and runs the program's main job on the default simulated
# adapter: WavorelVista starts in station mode as a user's would after making
# a WPA2-PSK profile for HomeNet and connecting (tools/vista-station-root.sh),
# so the system joins HomeNet again and its worker reports the link into the
# main dialog's status page and the tray; then
# it runs once more in soft-AP mode, where the AP worker fills the basic page
# and reports the AP's state to the tray. Then Wavorel (the XP build) runs
# the same two ways, each on a fresh root of its own; its station run starts
# as a user's would after joining HomeNet by WPS (tools/xp-station-root.sh),
# so its worker joins HomeNet again and the link page shows the connection.
#
# Headless (no DISPLAY, or WAVOREL_HEADLESS set) the station run writes the
# main dialog as build/demo/main-dialog.png and the tray icons as
# build/demo/tray.txt, the AP run build/demo/ap-main-dialog.png and
# build/demo/ap-tray.txt, Wavorel's runs the same files named with "xp-"
# first (build/demo/xp-main-dialog.png, build/demo/xp-ap-main-dialog.png);
# each run ends after WAVOREL_RUN_MS milliseconds
# (default 6000; set it empty to keep the program running until it is asked
# to stop, e.g. by a start with /EndPrevInst); Wavorel's station run lasts at
# least 16000 ms, since its worker releases the supplicant on its first tick
# and joins again on its WPS timer 10 s later. Each run has a fresh root of
# its own (build/demo/vista-root, build/demo/ap-root, build/demo/xp-root,
# build/demo/xp-ap-root), so the usual root is left as it was. With a display
# the program runs on the usual platform root instead; there
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

# One headless run: the program, the prefix of its files' names, then the
# program's arguments.
run() {
  local program=$1 shot=$out/$2main-dialog.png tray=$out/$2tray.txt status=0
  shift 2
  rm -f "$shot" "$tray"
  WAVOREL_SCREENSHOT="$PWD/$shot" WAVOREL_TRAY="$PWD/$tray" "build/apps/$program" "$@" || status=$?
  if [ -f "$shot" ]; then
    echo "Main dialog: $shot"
  fi
  if [ -f "$tray" ]; then
    echo "Tray:"
    sed 's/^/  /' "$tray"
  fi
  echo "$program ended with exit code $status"
  return "$status"
}

echo "Station mode:"
vistaroot=$PWD/$out/vista-root
bash tools/vista-station-root.sh "$vistaroot"
status=0
WAVOREL_ROOT="$vistaroot" run WavorelVista "" "$@" || status=$?

# Soft-AP mode, on a root of its own whose saved mode is soft AP.
echo "Soft-AP mode:"
aproot=$PWD/$out/ap-root
bash tools/ap-root.sh "$aproot"
apstatus=0
WAVOREL_ROOT="$aproot" run WavorelVista ap- "$@" || apstatus=$?

# Wavorel: station mode, then soft-AP mode.
echo "Wavorel, station mode:"
xproot=$PWD/$out/xp-root
bash tools/xp-station-root.sh "$xproot"
xpms=$WAVOREL_RUN_MS
if [ -n "$xpms" ] && ((xpms < 16000)); then xpms=16000; fi
xpstatus=0
WAVOREL_ROOT="$xproot" WAVOREL_RUN_MS="$xpms" run Wavorel xp- "$@" || xpstatus=$?
echo "Wavorel, soft-AP mode:"
xpaproot=$PWD/$out/xp-ap-root
bash tools/ap-root.sh "$xpaproot" Wavorel
xpapstatus=0
WAVOREL_ROOT="$xpaproot" run Wavorel xp-ap- "$@" || xpapstatus=$?
for s in "$status" "$apstatus" "$xpstatus" "$xpapstatus"; do
  ((s != 0)) && exit "$s"
done
exit 0
