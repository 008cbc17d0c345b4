#!/usr/bin/env bash
# Prepares a fresh platform root in which Wavorel starts in station mode
# already configured for the built-in world's open network "CafeFree":
#
#   tools/station-root.sh ROOT
#
# ROOT is made anew (0700) with a machine hive holding, in the simulated
# adapter's driver key, what activating a profile of that network leaves
# there ("CurProfile" and the profile's values) and the first run's choice of
# this program as the configuration tool ("RunOnceInitConfigTool" "1"); the
# simulated machine adds its own values to the key when the program starts.
set -euo pipefail
(($# == 1)) || { echo "usage: $0 ROOT" >&2; exit 2; }
root=$1
rm -rf "$root"
umask 077
mkdir -p "$root/registry"
key='HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{4D36E972-E325-11CE-BFC1-08002BE10318}\0007'
printf '%s\n' "REGEDIT4" "" "[$key]" '"RunOnceInitConfigTool"="1"' '"CurProfile"="CafeFree"' \
  '"SSID"="CafeFree"' '"NetworkType"="1"' '"AuthenType"="0"' '"Encryption"="1"' '"Channel"="1"' "" \
  >"$root/registry/HKLM.reg"
