// What the fuzz targets of the profile stores share: the profile editor they
// read into, and the bounds its pages must keep whatever was stored.
#pragma once

#include <cstdlib>
#include <memory>

#include "platform/Platform.h"
#include "station/profiles/ProfileEditorDlg.h"

// The editor, created at the first call as the child of a plain pop-up that
// stands for the host; the run aborts when its pages are missing.
inline CProfileEditorDlg& FuzzProfileEditor() {
  static std::unique_ptr<CProfileEditorDlg> editor;
  if (!editor) {
    static HWND host = CreateWindowEx(0, "STATIC", "host", WS_POPUP, 0, 0, 700, 400, nullptr, nullptr, nullptr, nullptr);
    editor = std::make_unique<CProfileEditorDlg>(CWnd::FromHandle(host));
    editor->Create(IDD_PROFILE_EDITOR, CWnd::FromHandle(host));
  }
  if (!editor->GetSystemConfigPage() || !editor->GetAuthEncryPage()) std::abort();
  return *editor;
}

// Aborts unless the transmit key is 0..3, the key formats 0 or 1 and the
// certificates at most `certificateLimit` bytes.
inline void CheckEditorBounds(CProfileEditorDlg& editor, DWORD certificateLimit) {
  const CPageAuthEncryDlg& security = *editor.GetAuthEncryPage();
  if (security.m_nTransmitKey < 0 || security.m_nTransmitKey > 3) std::abort();
  for (int format : security.m_nKeyFormat)
    if (format != 0 && format != 1) std::abort();
  if (editor.m_8021x.ClientCertLen > certificateLimit || editor.m_8021x.ServerCertLen > certificateLimit) std::abort();
}
