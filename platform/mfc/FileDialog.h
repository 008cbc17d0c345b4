// CFileDialog: the Open or Save As dialog over GetOpenFileName and
// GetSaveFileName. The filter is given with '|' between its strings
// ("PAC Files (*.pac)|*.pac||"); m_ofn may be changed before DoModal.
#pragma once

#include <string>

#include "platform/mfc/Dialog.h"
#include "platform/win/shell/FileDialog.h"

class CFileDialog : public CDialog {
  DECLARE_DYNAMIC(CFileDialog)

 public:
  explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                       DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                       CWnd* pParentWnd = nullptr);

  OPENFILENAME m_ofn;

  // IDOK when a file was chosen, else IDCANCEL (CommDlgExtendedError tells
  // whether that was an error).
  INT_PTR DoModal() override;

  // The chosen file: full path, name with extension, extension without the
  // dot, name without extension.
  CString GetPathName() const;
  CString GetFileName() const;
  CString GetFileExt() const;
  CString GetFileTitle() const;

 private:
  BOOL m_bOpenFileDialog;
  std::string m_strDefExt;
  std::string m_strFilter;  // the filter with '\0' between its strings
  char m_szFileName[MAX_PATH] = "";
  char m_szFileTitle[64] = "";
};
