#!/usr/bin/env bash
# Prepares a fresh platform root in which a program starts in soft-AP mode:
#
#   tools/ap-root.sh ROOT [PROGRAM]
#
# ROOT is made anew (0700) with a user hive holding what a run of PROGRAM
# (WavorelVista unless given) that ended in soft-AP mode saves
# ("Setting"/"Mode" 0).
set -euo pipefail
(($# == 1 || $# == 2)) || { echo "usage: $0 ROOT [PROGRAM]" >&2; exit 2; }
root=$1
program=${2:-WavorelVista}
rm -rf "$root"
umask 077
mkdir -p "$root/registry"
printf '%s\n' "REGEDIT4" "" "[HKEY_CURRENT_USER\\Software\\Wavorel(Quendal)\\$program\\Setting]" \
  '"Mode"=dword:00000000' "" >"$root/registry/HKCU.reg"
