#include "platform/mfc/FileDialog.h"

#include <algorithm>
#include <cstring>

#include "platform/mfc/WinApp.h"

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : m_ofn{}, m_bOpenFileDialog(bOpenFileDialog) {
  m_pParentWnd = pParentWnd;
  m_ofn.lStructSize = sizeof m_ofn;
  m_ofn.lpstrFile = m_szFileName;
  m_ofn.nMaxFile = sizeof m_szFileName;
  m_ofn.lpstrFileTitle = m_szFileTitle;
  m_ofn.nMaxFileTitle = sizeof m_szFileTitle;
  m_ofn.Flags = dwFlags;
  if (lpszDefExt) {
    m_strDefExt = lpszDefExt;
    m_ofn.lpstrDefExt = m_strDefExt.c_str();
  }
  if (lpszFileName) {
    size_t n = std::min(std::strlen(lpszFileName), sizeof m_szFileName - 1);
    std::memcpy(m_szFileName, lpszFileName, n);
    m_szFileName[n] = '\0';
  }
  if (lpszFilter) {
    m_strFilter = lpszFilter;
    std::replace(m_strFilter.begin(), m_strFilter.end(), '|', '\0');
    m_strFilter.push_back('\0');  // an empty string ends the list however the text ended
    m_ofn.lpstrFilter = m_strFilter.c_str();
  }
}

INT_PTR CFileDialog::DoModal() {
  CWnd* pOwner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
  m_ofn.hwndOwner = pOwner ? pOwner->m_hWnd : nullptr;
  BOOL chosen = m_bOpenFileDialog ? GetOpenFileName(&m_ofn) : GetSaveFileName(&m_ofn);
  return chosen ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const { return CString(m_ofn.lpstrFile); }

CString CFileDialog::GetFileName() const {
  CString path = GetPathName();
  return path.Mid(std::max(path.ReverseFind('\\'), path.ReverseFind('/')) + 1);
}

CString CFileDialog::GetFileExt() const {
  CString name = GetFileName();
  int dot = name.ReverseFind('.');
  return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const {
  CString name = GetFileName();
  int dot = name.ReverseFind('.');
  return dot < 0 ? name : name.Left(dot);
}
