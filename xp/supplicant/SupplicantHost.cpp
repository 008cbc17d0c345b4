#include "xp/supplicant/SupplicantHost.h"

namespace {

CSupplicantHost* g_pHost = nullptr;

}  // namespace

void SetSupplicantHost(CSupplicantHost* host) { g_pHost = host; }

CSupplicantHost* GetSupplicantHost() { return g_pHost; }
