// Registers the standard control classes as global system classes.
#include "platform/win/user/ClassRegistry.h"
#include "platform/win/gdi/Images.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/controls/ButtonControl.h"
#include "platform/win/controls/ComboBoxControl.h"
#include "platform/win/controls/EditControl.h"
#include "platform/win/controls/ListBoxControl.h"
#include "platform/win/controls/StaticControl.h"

namespace wavorel {

namespace {

void registerControlClasses() {
  DWORD lastError = GetLastError();  // a lookup must not change it
  struct Entry {
    LPCSTR name;
    WNDPROC proc;
    UINT style;
    LPCSTR cursor;
  };
  const Entry entries[] = {
      {WC_BUTTON, controlProc<ButtonControl>, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, IDC_ARROW},
      {WC_EDIT, controlProc<EditControl>, CS_DBLCLKS, IDC_IBEAM},
      {WC_STATIC, controlProc<StaticControl>, CS_DBLCLKS, IDC_ARROW},
      {WC_LISTBOX, controlProc<ListBoxControl>, CS_DBLCLKS, IDC_ARROW},
      {WC_COMBOBOX, controlProc<ComboBoxControl>, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, IDC_ARROW},
      {kComboListClass, controlProc<ListBoxControl>, CS_DBLCLKS | CS_SAVEBITS, IDC_ARROW},
  };
  for (const auto& e : entries) {
    WNDCLASS wc{};
    wc.style = e.style | CS_GLOBALCLASS;
    wc.lpfnWndProc = e.proc;
    wc.hCursor = LoadCursor(nullptr, e.cursor);
    wc.lpszClassName = e.name;
    RegisterClass(&wc);
  }
  // Each combo box makes its drop-down list as a pop-up of its own; no other
  // process looks for them, so they are not published.
  if (auto lists = ClassRegistry::instance().find(kComboListClass)) lists->processPrivate = true;
  SetLastError(lastError);
}

const bool g_added = [] {
  addSystemClassRegistrar(registerControlClasses);
  return true;
}();

}  // namespace

}  // namespace wavorel
