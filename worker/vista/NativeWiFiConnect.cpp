// CNativeWiFi: the connect routine (driver writes, then the profile store and
// connect) and the link values applied once the connection completes.
#include "worker/ChannelTable.h"
#include "worker/NativeWiFi.h"
#include "worker/OidRequest.h"

namespace {

constexpr int kTries = 3;
constexpr DWORD kInfrastructure = 1;
constexpr DWORD kAdhoc = 0;
constexpr DWORD kInfrastructurePreamble = 2;

}  // namespace

DWORD CNativeWiFi::ConnectProfile(BOOL flag, _PROFILE_DATA* profile) {
  if (!profile) return ERROR_INVALID_PARAMETER;
  if (!m_profileOps || !m_oidSetter) return ERROR_INVALID_HANDLE;
  m_saved = 1;
  m_savedNetworkType = profile->NetworkType;
  m_savedRtsThreshold = profile->RtsThresh;
  m_savedFragThreshold = profile->FragThresh;
  m_savedPowerSaveMode = profile->PSMode;
  m_oidSetter->SetWlanMode(flag != 0 ? 1 : 0);
  if (profile->NetworkType == kInfrastructure) profile->PreambleType = kInfrastructurePreamble;
  DWORD returned = 0;
  SetOid(OID_VX_PREAMBLE_SET, &profile->PreambleType, sizeof profile->PreambleType, &returned, kTries);
  if (profile->NetworkType == kAdhoc || flag == 1) {
    const CHANNEL_FREQUENCY* row = FindChannelByFrequency(profile->ChannelFrequency);
    m_oidSetter->SetChannel(row ? row->Channel : 0);
  }
  m_oidSetter->SetTxPowerLevel(profile->TxPower);
  return m_profileOps->ApplyProfile(profile);
}

void CNativeWiFi::ApplySavedLinkValues() {
  if (m_saved != 1 || !m_oidSetter) return;
  m_oidSetter->SetRtsThreshold(m_savedRtsThreshold);
  m_oidSetter->SetFragThreshold(m_savedFragThreshold);
  if (m_savedNetworkType != kAdhoc) SetPowerSaveLevel(PowerSaveLevelFromMode(m_savedPowerSaveMode));
  m_saved = 0;
}

BOOL CNativeWiFi::SetPowerSaveLevel(DWORD level) { return m_oidSetter ? m_oidSetter->SetPowerMgmtMode(level) : FALSE; }
