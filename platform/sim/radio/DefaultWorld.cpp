// The world the machine loads when WAVOREL_WORLD names none: one USB adapter
// with 802.11n on both bands and the networks of a small town street.
#include "platform/sim/radio/World.h"

namespace wavorel::sim {

std::string_view defaultWorldText() {
  return R"(; Built-in world of the simulated machine.
[Adapter1]
HardwareId = USB\VID_F0A5&PID_0101&REV_0001
Bus = USB
Family = 8
Guid = {6B29FC40-CA47-1067-B31D-00DD010662DA}
FriendlyName = Wavorel 802.11n USB Wireless LAN Card
Description = 802.11n USB Wireless LAN Card
Manufacturer = Wavorel
Location = Port_#0002.Hub_#0003
Mac = 00-0E-2E-5A-10-01
Chains = 2
Bands = 2.4+5
HT = yes
ClassIndex = 7
CountryRegion = 0x0701
Register54 = 0x0000
EepromVersion = 1.2
FirmwareVersion = 2.5
DriverFileVersion = 3.1.4.0
DriverDate = 2009-03-18
Reg.WirelessMode = 9
Reg.CountryRegion = 1
Reg.CountryRegionABand = 7
Reg.IEEE80211H = 0
Reg.CCX2Control = dword:00000000

[Network Home]
Ssid = HomeNet
Bssid = 00-1D-7E-11-22-01
Channel = 6
Signal = -45
Variation = 4
Security = WPA2-PSK
Cipher = CCMP
Passphrase = correct horse battery
Address = 192.168.1.23
HT = yes
WPS = Pin
WpsPin = 12345670

[Network Cafe]
Ssid = CafeFree
Bssid = 00-1D-7E-11-22-02
Channel = 1
Signal = -67
Variation = 6
Security = Open

[Network Neighbour]
Ssid = OldRouter
Bssid = 00-1D-7E-11-22-03
Channel = 11
Signal = -72
Variation = 3
Security = WEP
Key1 = 0123456789
KeyIndex = 1

[Network Shop]
Ssid = ShopNet
Bssid = 00-1D-7E-11-22-04
Channel = 3
Signal = -60
Variation = 5
Security = WPA-PSK
Cipher = TKIP
Passphrase = shopkeeper2009

[Network Office]
Ssid = CorpWLAN
Bssid = 00-1D-7E-11-22-05
Channel = 36
Signal = -58
Variation = 3
Security = WPA2-Enterprise
Cipher = CCMP
Eap = accept
HT = yes

[Network Printer]
Ssid = PrintHub
Bssid = 00-1D-7E-11-22-06
Channel = 9
Signal = -55
Variation = 2
Security = WPA2-PSK
Cipher = TKIP+CCMP
Passphrase = printmeplease
WPS = PushButton
WpsState = Configured

[Network Hidden]
Ssid = Backroom
Hidden = yes
Bssid = 00-1D-7E-11-22-07
Channel = 4
Signal = -63
Variation = 4
Security = WPA2-PSK
Cipher = CCMP
Passphrase = nobody knows

[Network Fast]
Ssid = Fast5G
Bssid = 00-1D-7E-11-22-08
Channel = 149
Signal = -52
Variation = 2
Security = WPA2-PSK
Cipher = CCMP
Passphrase = gigabit-please
HT = yes

[Client Phone]
Adapter = Adapter1
Mac = 00-23-76-AB-CD-01
Passphrase = softap-secret
Arrives = 5
Leaves = 120

[Certificate User]
Store = MY
Subject = Dana Wheeler
Issuer = Harbor Issuing CA
FriendlyName = Dana's wireless login
Expires = 2029-06-30

[Certificate Root]
Store = ROOT
Subject = Harbor Root CA
Expires = 2036-12-31
)";
}

}  // namespace wavorel::sim
