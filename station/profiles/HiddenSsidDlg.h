// CHiddenSsidDlg: the hidden-SSID prompt (template 220), secondary dialog 1 of
// the host. The site survey page opens it for a network that hides its SSID
// and hands it the continuation of its pending connection; OK checks the
// entered SSID (not empty, at most 32 bytes once trimmed: a longer one is
// refused with a warning, never cut) and passes it on. Cancel hands back to
// the host's first secondary dialog.
#pragma once

#include <functional>

#include "platform/Platform.h"
#include "widgets/ShadeButtonST.h"
#include "widgets/SmartEdit.h"
#include "worker/ProfileData.h"

constexpr UINT IDD_HIDDEN_SSID = 220;
constexpr int IDC_HIDDEN_SSID_PROMPT = 1109;
constexpr int IDC_HIDDEN_SSID_EDIT = 1108;
constexpr int IDC_HIDDEN_SSID_OK = 1293;
constexpr int IDC_HIDDEN_SSID_CANCEL = 1296;
constexpr UINT IDS_HIDDEN_SSID_PROMPT = 138;
// The longest SSID, in bytes.
constexpr int kHiddenSsidMax = 32;

class CHiddenSsidDlg : public CDialog {
 public:
  // Continues the pending connection with the SSID entered; TRUE when another
  // dialog (the security editor) took over, FALSE when the connection was
  // handed to the worker.
  using Continuation = std::function<BOOL(const NDIS_802_11_SSID& ssid)>;

  explicit CHiddenSsidDlg(CWnd* pParent = nullptr);
  ~CHiddenSsidDlg() override;
  CHiddenSsidDlg(const CHiddenSsidDlg&) = delete;
  CHiddenSsidDlg& operator=(const CHiddenSsidDlg&) = delete;

  BOOL OnInitDialog() override;
  // Button 1293: the SSID checked, trimmed and handed to the continuation;
  // the host shows its first secondary dialog unless another took over.
  void OnOK() override;
  // Button 1296 and Escape: the host shows its first secondary dialog.
  void OnCancel() override;

  // The caller's continuation for the next OK (empty: none).
  void SetContinuation(Continuation next) { m_next = std::move(next); }

  CString m_strSsid;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnPaint();
  void OnShowWindow(BOOL bShow, UINT nStatus);
  DECLARE_MESSAGE_MAP()

 private:
  CSmartEdit m_editSsid;
  CShadeButtonST m_btnOk;
  CShadeButtonST m_btnCancel;
  Continuation m_next;
};
