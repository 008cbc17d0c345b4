#!/usr/bin/env bash
# Prepares a fresh platform root in which WavorelVista starts in soft-AP mode:
#
#   tools/ap-root.sh ROOT
#
# ROOT is made anew (0700) with a user hive holding what a run that ended in
# soft-AP mode saves ("Setting"/"Mode" 0).
set -euo pipefail
(($# == 1)) || { echo "usage: $0 ROOT" >&2; exit 2; }
root=$1
rm -rf "$root"
umask 077
mkdir -p "$root/registry"
printf '%s\n' "REGEDIT4" "" '[HKEY_CURRENT_USER\Software\Wavorel(Quendal)\WavorelVista\Setting]' \
  '"Mode"=dword:00000000' "" >"$root/registry/HKCU.reg"
