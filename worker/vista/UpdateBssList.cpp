// CHideDlg::UpdateBssList in WavorelVista: the scan list from the Native
// Wi-Fi service, then the site list rebuilt from it.
#include "worker/BssLists.h"
#include "worker/ChannelList.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/WorkerGlobals.h"

void CHideDlg::UpdateBssList() {
  NativeWiFi().FillScanList();
  BYTE channels[kMaxChannels] = {};
  int count = 0;
  GetChannelList(1, g_nWirelessMode, g_nWirelessMode, channels, &count);
  SYSTEMTIME time{};
  GetSystemTime(&time);
  FILETIME now{};
  SystemTimeToFileTime(&time, &now);
  RebuildSiteList(NativeWiFi().BssidScanList(), BssidSiteList.get(), channels, count, now);
}
