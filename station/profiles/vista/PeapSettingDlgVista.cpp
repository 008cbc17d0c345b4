// CPeapSettingDlg in WavorelVista: no supplicant request waits for it.
#include "station/profiles/PeapSettingDlg.h"

void CPeapSettingDlg::PresetForm(PeapPromptForm) {}

void CPeapSettingDlg::OnPromptEnded(int) {}
