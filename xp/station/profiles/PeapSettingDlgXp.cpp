// CPeapSettingDlg in Wavorel: the supplicant's request thread may wait for
// this prompt (a password change the server asked for). Its form shows the
// profile's inner identity with an empty password; OK hands the request the
// typed identity and password, any other end cancels it. Without a waiting
// request both steps do nothing.
#include <cstring>

#include "station/profiles/PeapSettingDlg.h"
#include "xp/supplicant/PortManager.h"
#include "xp/supplicant/UiRequestThread.h"

void CPeapSettingDlg::PresetForm(PeapPromptForm form) {
  if (form != kPeapFormNewPassword || !IsPromptActive()) return;
  const _PROFILE_DATA* profile = SupplicantGetCurrentProfile();
  if (!profile) return;
  m_strIdentity = CString(profile->TunnelID, static_cast<int>(strnlen(profile->TunnelID, sizeof profile->TunnelID)));
  m_strPassword.Empty();
}

void CPeapSettingDlg::OnPromptEnded(int result) {
  AnswerPasswordPrompt(result == kPeapPromptOk ? kPromptOk : kPromptCancel, m_strIdentity, m_strPassword);
}
