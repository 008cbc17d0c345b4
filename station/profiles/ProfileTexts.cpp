#include "station/profiles/ProfileTexts.h"

#include <cstdlib>

namespace {

const char* const kModeTexts[] = {"Open", "Shared", " ", "WPA", "WPA-PSK", "WPA-NONE", "WPA2", "WPA2-PSK"};
const char* const kNetworkTypeTexts[] = {"Ad hoc", "Infrastructure", "Auto"};
const char* const kTxPowerTexts[] = {"Auto", "100%", "75 %", "50 %", "25 %", "10 %", "Lowest"};
const char* const kLeapCipherTexts[] = {"WEP", "WPA-TKIP", "WPA2-AES"};

template <size_t N>
CString TableText(const char* const (&table)[N], int index) {
  return index >= 0 && index < static_cast<int>(N) ? table[index] : "";
}

}  // namespace

int ProfileAuthModeOf(const CString& text) {
  const int mode = std::atoi(text);
  return mode < 0 || mode > 7 ? 0 : mode;
}

CString ProfileAuthModeText(int mode) { return TableText(kModeTexts, mode); }

CString ProfileCipherText(int cipher) {
  switch (cipher) {
    case 0:
      return "WEP";
    case 1:
      return "None";
    case 4:
      return "TKIP";
    case 6:
      return "AES";
    default:
      return "";
  }
}

CString ProfileChannelText(int channel) {
  switch (channel) {
    case 208:
      return "J8";
    case 212:
      return "J12";
    case 216:
      return "J16";
    default: {
      CString text;
      text.Format("%d", channel);
      return text;
    }
  }
}

CString ProfileNetworkTypeText(int networkType) { return TableText(kNetworkTypeTexts, networkType); }

CString ProfileTxPowerText(int txPower) { return TableText(kTxPowerTexts, txPower); }

CString ProfileLeapCipherText(int leapEncryption) { return TableText(kLeapCipherTexts, leapEncryption); }
