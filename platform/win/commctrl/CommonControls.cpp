#include "platform/win/commctrl/CommonControls.h"

#include "platform/win/user/ClassRegistry.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Module.h"
#include "platform/win/commctrl/HeaderControl.h"
#include "platform/win/commctrl/IpAddressControl.h"
#include "platform/win/commctrl/ListViewControl.h"
#include "platform/win/commctrl/ProgressControl.h"
#include "platform/win/commctrl/RichEdit.h"
#include "platform/win/commctrl/RichEditControl.h"
#include "platform/win/commctrl/TabControl.h"
#include "platform/win/commctrl/ToolTipControl.h"
#include "platform/win/commctrl/TrackbarControl.h"

namespace wavorel {

namespace {

constexpr DWORD kKnownClasses = 0xFFFF;

void registerClass(const char* name, WNDPROC proc, UINT style) {
  if (ClassRegistry::instance().find(name)) return;
  WNDCLASS wc{};
  wc.style = style | CS_GLOBALCLASS;
  wc.lpfnWndProc = proc;
  wc.lpszClassName = name;
  RegisterClass(&wc);
}

const bool g_registrar = (addSystemClassRegistrar(registerCommonControlClasses), true);

}  // namespace

void registerCommonControlClasses() {
  (void)g_registrar;
  registerClass(WC_LISTVIEW, controlProc<ListViewControl>, CS_DBLCLKS);
  registerClass(WC_HEADER, controlProc<HeaderControl>, CS_DBLCLKS);
  registerClass(WC_TABCONTROL, controlProc<TabControl>, CS_DBLCLKS);
  registerClass(PROGRESS_CLASS, controlProc<ProgressControl>, 0);
  registerClass(TRACKBAR_CLASS, controlProc<TrackbarControl>, 0);
  registerClass(TOOLTIPS_CLASS, controlProc<ToolTipControl>, CS_DBLCLKS | CS_SAVEBITS);
  // A program makes a tooltip window for each of its tool-tipped controls and
  // dialogs, and no other process looks for them: they are not published.
  if (auto tips = ClassRegistry::instance().find(TOOLTIPS_CLASS)) tips->processPrivate = true;
  registerClass(WC_IPADDRESS, controlProc<IpAddressControl>, CS_DBLCLKS);
  registerClass(RICHEDIT_CLASS, controlProc<RichEditControl>, CS_DBLCLKS);
  registerClass(MSFTEDIT_CLASS, controlProc<RichEditControl>, CS_DBLCLKS);
  // The libraries that hold the classes can be loaded by name.
  registerModule("comctl32.dll", {{"InitCommonControls", 0, exportedProc(&InitCommonControls)},
                                  {"InitCommonControlsEx", 0, exportedProc(&InitCommonControlsEx)}});
  registerModule("riched20.dll", {});
  registerModule("msftedit.dll", {});
}

}  // namespace wavorel

void InitCommonControls() { wavorel::registerCommonControlClasses(); }

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce) {
  if (picce == nullptr || picce->dwSize != sizeof(INITCOMMONCONTROLSEX) || (picce->dwICC & ~wavorel::kKnownClasses)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  wavorel::registerCommonControlClasses();
  return TRUE;
}
