// CPageAP_SecuritySetting's members of Wavorel: every entry of the page posts
// the four WEP key types to the AP worker again, whether or not they changed,
// so its hidden security dialog follows the selections shown.
#include "frontend/PageAP_SecuritySetting.h"

LRESULT CPageAP_SecuritySetting::OnTabPageEnter(WPARAM, LPARAM) {
  for (int n = 0; n < kKeyCount; ++n) PostKeyType(n);
  return 0;
}
