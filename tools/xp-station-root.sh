#!/usr/bin/env bash
# Prepares a fresh platform root in which Wavorel starts in station mode with
# a connection of an earlier run in use:
#
#   tools/xp-station-root.sh ROOT
#
# ROOT is made anew (0700) with a machine hive holding what Wavorel leaves in
# the driver key of the default world's adapter (class instance 0007) once
# the user chose it on its first run ("RunOnceInitConfigTool") and joined
# HomeNet by WPS: the credential the WPS page stored ("WscProfile") and the
# mark that the connection in use is that credential ("WSC" = "1"). A start
# of Wavorel applies it again when it takes the adapter over.
set -euo pipefail
(($# == 1)) || { echo "usage: $0 ROOT" >&2; exit 2; }
root=$1
rm -rf "$root"
umask 077
mkdir -p "$root/registry"
key='HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{4D36E972-E325-11CE-BFC1-08002BE10318}\0007'
bssid='hex:00,1d,7e,11,22,01'
cat >"$root/registry/HKLM.reg" <<EOF
REGEDIT4

[$key]
"RunOnceInitConfigTool"="1"
"WSC"="1"

[$key\\WscProfile]
"NumberofProfile"="1"
"Bssid"=$bssid

[$key\\WscProfile\\Profile0]
"SSID"="HomeNet"
"AuthType"="32"
"EncryType"="8"
"KeyIndex"="0"
"KeyLength"="21"
"Key"="correct horse battery"
"MacAddress"=$bssid

EOF
