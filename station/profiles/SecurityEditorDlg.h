// CSecurityEditorDlg: the hidden editor of a site survey connection's
// security (template 222), secondary dialog 3 of the host. A tab container
// holds the authentication page (host kind 0; tab 1015) and the 802.1X page
// (tab 1016). The site survey page opens it for a secured network and sets
// the continuation; OK validates, collects the choices and hands them to the
// continuation, which connects. The front end mirrors it: code 40 when
// shown, bridge commands 17/18/25/62/63 with editor kind 0.
#pragma once

#include <functional>
#include <memory>

#include "platform/Platform.h"
#include "station/profiles/Page8021XDlg.h"
#include "station/profiles/PageAuthEncryDlg.h"
#include "station/profiles/SecurityChoices.h"
#include "widgets/ShadeButtonST.h"
#include "widgets/TabDialog.h"

constexpr UINT IDD_SECURITY_EDITOR = 222;
constexpr int IDC_SE_TAB_AUTH = 1015;
constexpr int IDC_SE_TAB_8021X = 1016;
constexpr int IDC_SE_PAGE_AREA = 1750;
constexpr int IDC_SE_TAB1_PLACE = 1757;
constexpr int IDC_SE_TAB2_PLACE = 1761;

class CSecurityEditorDlg : public CDialog {
 public:
  enum { kTabAuthEncry, kTab8021X, kTabCount };
  using Continuation = std::function<void(const SecurityChoices& choices)>;

  explicit CSecurityEditorDlg(CWnd* pParent = nullptr);
  ~CSecurityEditorDlg() override;
  CSecurityEditorDlg(const CSecurityEditorDlg&) = delete;
  CSecurityEditorDlg& operator=(const CSecurityEditorDlg&) = delete;

  // The editor whose page `page` is (its tab container's parent), or null.
  static CSecurityEditorDlg* FromPage(CWnd* page);

  // What OK does with the choices (the site survey's pending connection).
  void SetContinuation(Continuation next) { m_next = std::move(next); }
  // Bridge commands 17/18 (value 0), 23-63 on its pages (25, 62 and 63 when
  // they name kind 0; 23 never). FALSE when not taken.
  BOOL RunBridgeCommand(UINT code, const CString& value);

  CPageAuthEncryDlg* GetAuthEncryPage() const { return m_pPageAuthEncry.get(); }
  CPage8021XDlg* Get8021XPage() const { return m_pPage8021X.get(); }
  CShadeButtonST* GetTabButton(int tab) const;
  void PressTab(int tab);
  void EnableTab(int tab, BOOL enable);
  const SecurityChoices& Choices() const { return m_choices; }

  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnPaint();
  void OnOkClicked();
  void OnCancelClicked();
  DECLARE_MESSAGE_MAP()

 private:
  BOOL CreatePages();
  CRect PlaceholderRect(int id) const;
  void CollectWepKeys(const CPageAuthEncryDlg& auth);

  std::unique_ptr<CTabDialog> m_pTabDialog;
  std::unique_ptr<CPage8021XDlg> m_pPage8021X;
  std::unique_ptr<CPageAuthEncryDlg> m_pPageAuthEncry;
  std::unique_ptr<CShadeButtonST> m_pTabButton[kTabCount];
  CShadeButtonST m_btnOK;
  CShadeButtonST m_btnCancel;
  CFont m_tabFont;
  SecurityChoices m_choices;
  Continuation m_next;
};
