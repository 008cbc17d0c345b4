#include "frontend/SiteEditor.h"

#include <memory>

#include "frontend/DlgOneSiteEditor.h"
#include "frontend/SiteEditorIds.h"
#include "frontend/SkinFunctions.h"
#include "frontend/UiBridge.h"
#include "frontend/WavorelApp.h"
#include "utilmere/Utilmere.h"

namespace {

std::unique_ptr<CDlgOneSiteEditor> g_editor;

}  // namespace

CDlgOneSiteEditor* GetSiteEditor() {
  if (g_editor) return g_editor.get();
  // Held before its window is made, so nothing it runs while being made
  // starts a second one.
  g_editor = std::make_unique<CDlgOneSiteEditor>();
  if (!g_editor->Create(IDD_DLG_ONESITEEDITOR, nullptr)) {
    DestroySiteEditor();
    return nullptr;
  }
  g_editor->ShowWindow(SW_HIDE);
  return g_editor.get();
}

void DestroySiteEditor() {
  if (!g_editor) return;
  // The modeless window goes first, while its object still lives.
  if (g_editor->GetSafeHwnd()) g_editor->DestroyWindow();
  g_editor.reset();
}

void ApplySiteEditorCode(UINT nCode, const CString& value, int& nSaveWithoutShowing) {
  if (nCode < BRIDGE_UI_EDITOR_OPEN || nCode > BRIDGE_UI_EDITOR_FIELD_LAST) return;
  CDlgOneSiteEditor* editor = GetSiteEditor();
  if (!editor) return;
  if (nCode == BRIDGE_UI_EDITOR_OPEN) {
    editor->OpenAsProfileEditor(nSaveWithoutShowing);
  } else if (nCode == 40) {
    editor->OpenAsSecurityEditor();
  } else if (nCode < 40) {
    editor->GetInfoPage().ApplyCode(nCode, value);
  } else {
    editor->GetSecurityPage().ApplyCode(nCode, value);
  }
}

CString SiteEditorSkinPath(LPCTSTR file) { return FormatString("%sSkin\\%s", GetCurDir(), file); }

void ShowSiteEditorError(CWnd* pControl, const CString& text) {
  if (CWavorelApp* app = dynamic_cast<CWavorelApp*>(AfxGetApp())) app->ShowErrorBalloon(pControl, text);
}

void FillCertificateList(CComboBox& combo, const CString& text) {
  if (!combo.GetSafeHwnd()) return;
  combo.ResetContent();
  CStringArray rows;
  PartStringAndAddToStrAry(text, rows, "\r\n");
  for (int i = 0; i < rows.GetSize(); ++i) combo.AddString(GetArrayItemUnquoted(&rows, i));
  if (combo.GetCount() > 0) combo.SetCurSel(0);
}
