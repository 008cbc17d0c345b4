#include "frontend/GxTabPage.h"

BEGIN_MESSAGE_MAP(CGxTabPage, CPolygonDialog)
END_MESSAGE_MAP()

CGxTabPage::CGxTabPage(UINT templateId, CWnd* parent) : CPolygonDialog(templateId, parent) {}

CGxTabPage::~CGxTabPage() = default;

BOOL CGxTabPage::OnInitDialog() {
  CPolygonDialog::OnInitDialog();
  UpdateWndLanguage(this);
  return TRUE;
}

void CGxTabPage::OnOK() { CommandToHolder(IDOK); }

void CGxTabPage::OnCancel() { CommandToHolder(IDCANCEL); }

void CGxTabPage::CommandToHolder(UINT command) {
  CWnd* tabs = GetParent();
  CWnd* holder = tabs ? tabs->GetParent() : nullptr;
  if (holder) holder->SendMessage(WM_COMMAND, command, 0);
}
