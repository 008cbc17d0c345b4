#!/usr/bin/env bash
# Prepares a fresh platform root in which WavorelVista starts in station mode
# on the default world's adapter with a profile of an earlier run:
#
#   tools/vista-station-root.sh ROOT
#
# ROOT is made anew (0700) with what WavorelVista leaves once the user made a
# WPA2-PSK profile "Home" for HomeNet (passphrase "correct horse battery")
# and connected with it:
# - the user hive: station mode ("Setting"/"Mode" 1);
# - the INI profile store of the adapter (family 8, "VX31_<GUID>") in the
#   user's local application data folder (C:\Users\User\AppData\Local, the
#   one the platform's logon names): the profile's section in "_prof", and in
#   "_sta" the same keys as the current profile ("CurProfile");
# - the Native Wi-Fi service's profile store of the interface
#   (wlansvc/<GUID>.profiles): the document the worker gave WlanSetProfile,
#   marked for automatic connection, so the service joins HomeNet when it
#   starts and the worker finds the link up.
set -euo pipefail
(($# == 1)) || { echo "usage: $0 ROOT" >&2; exit 2; }
root=$1
guid='{6B29FC40-CA47-1067-B31D-00DD010662DA}'
name=Home
ssid=HomeNet
ssid_hex=$(printf '%s' "$ssid" | od -An -tx1 | tr -d ' \n' | tr 'a-f' 'A-F')
passphrase='correct horse battery'
rm -rf "$root"
umask 077
mkdir -p "$root/registry" "$root/drive_c/Users/User/AppData/Local" "$root/wlansvc"

cat >"$root/registry/HKCU.reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wavorel(Quendal)\\WavorelVista\\Setting]
"Mode"=dword:00000001

REG

# The 54 keys of a station profile in the worker's order, for a WPA2-PSK
# (AuthMode 7) AES (CipherMode 6) infrastructure network on channel 6.
profile_keys() {
  cat <<INI
ACPowerCam=0
AuthenProtocol=0
AuthMode=7
Channel=6
ClientCertData=
ClientCertLen=0
CipherMode=6
FragThresh=2346
ID=
IntermediateCert=0
LeapEnabled=0
LeapEncryType=0
LeapPassword=
LeapUserName=
LeapDomainName=
NameRule=0
NetworkType=1
Password=
PasswordMode=1
PreambleType=2
ProvisioningTunnel=26
ProvisionMode=1
PSMode=0
RtsThresh=2347
ServerCertData=
ServerCertLen=0
ServerName=
SessionResumption=0
SSID=$ssid_hex
TunnelID=
TunnelPassword=
TunnelProtocol=26
DomainName=
TXPower=0
Use8021X=0
UseClientCert=0
UseFrag=0
UsePAC=0
UseRts=0
UseServerCert=0
WEPKey1=
WEPKey1Type=0
WEPKey2=
WEPKey2Type=0
WEPKey3=
WEPKey3Type=0
WEPKey4=
WEPKey4Type=0
WEPKeyUse=1
WPAPSK=$passphrase
ActiveTime=$1
PACFilePath=
SSID_inHex=1
UseSmartCard=0
INI
}
# The private-profile functions end their lines with CR LF.
store="$root/drive_c/Users/User/AppData/Local/VX31_$guid"
{ echo "[$name]"; profile_keys "2009, 3, 20, 18, 30, 0"; } | sed 's/$/\r/' >"${store}_prof"
{ echo "[Config]"; echo "CurProfile=$name"; echo "WSC=0"; profile_keys ""; } | sed 's/$/\r/' >"${store}_sta"

# One entry: "profile <flags> <document bytes> <EAP user data bytes>", then
# the document.
doc='<?xml version="1.0"?><WLANProfile xmlns="http://www.microsoft.com/networking/WLAN/profile/v1">'
doc+="<name><![CDATA[$ssid]]></name><SSIDConfig><SSID><hex>$ssid_hex</hex><name>$ssid</name></SSID>"
doc+='<nonBroadcast>true</nonBroadcast></SSIDConfig><connectionType>ESS</connectionType>'
doc+='<connectionMode>auto</connectionMode><autoSwitch>false</autoSwitch><MSM><security><authEncryption>'
doc+='<authentication>WPA2PSK</authentication><encryption>AES</encryption><useOneX>false</useOneX>'
doc+='</authEncryption><sharedKey><keyType>passPhrase</keyType><protected>false</protected>'
doc+="<keyMaterial>$(printf '%s' "$passphrase" | sed 's/ /\&#32;/g')</keyMaterial>"
doc+='</sharedKey></security></MSM></WLANProfile>'
printf 'profile 0 %d 0\n%s' "$(printf '%s' "$doc" | wc -c)" "$doc" >"$root/wlansvc/$guid.profiles"
