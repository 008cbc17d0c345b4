// The AP link-status page's link in Wavorel, by the NDIS codes: the media
// connection state (0 connected), the BSSID and the SSID record.
#include <algorithm>

#include "softap/ApDriver.h"
#include "softap/ApRecords.h"
#include "softap/LinkStatusPage_AP.h"
#include "worker/DriverCodes.h"

namespace {

constexpr DWORD kMediaConnected = 0;

}  // namespace

BOOL CLinkStatusPage_AP::QueryLink(BOOL* connected, BYTE bssid[6]) {
  DWORD state = 0;
  if (!QueryDriverDword_AP(OID_GEN_MEDIA_CONNECT_STATUS, state)) return FALSE;
  *connected = state == kMediaConnected ? TRUE : FALSE;
  DWORD returned = 0;
  if (!QueryDriverOid_AP(OID_802_11_BSSID, bssid, 6, &returned) || returned < 6) std::fill(bssid, bssid + 6, BYTE{0});
  return TRUE;
}

CString CLinkStatusPage_AP::QueryLinkSsid() {
  BYTE record[ndisrecord::kSsidRecordSize] = {};
  DWORD returned = 0;
  if (!QueryDriverOid_AP(OID_802_11_SSID, record, sizeof record, &returned)) return CString();
  return ParseSsidRecord(record, returned);
}
