// CMacListPage_AP: what the access-control and WDS pages of the AP sheet
// share: a list box of MAC addresses with a MAC edit, "Add", "Delete" and
// "Remove All", and the in-place change of one row (a double click lays an
// edit with "Modify" and "Cancel" over the row). Escape and leaving the page
// end an in-place change instead of closing anything. The derived page
// decides what the list holds at most, which controls a change locks and
// what each step reports; it enables controls through EnableControl.
#pragma once

#include <vector>

#include "platform/Platform.h"
#include "softap/ApControls.h"

class CMacListPage_AP : public CPropertyPage {
 public:
  static constexpr UINT kMacEditId = 1265;
  static constexpr UINT kAddId = 1268;
  static constexpr UINT kDeleteId = 1271;
  static constexpr UINT kRemoveAllId = 1274;
  static constexpr UINT kApplyId = 1323;
  static constexpr UINT kModifyId = 1339;
  static constexpr UINT kChangeCancelId = 1341;
  static constexpr UINT kChangeEditId = 1343;
  // The in-place edit and its buttons, in pixels.
  static constexpr int kChangeEditWidth = 90;
  static constexpr int kChangeButtonWidth = 55;

  CMacListPage_AP(LPCSTR templateName, UINT listId, int maxRows);

  CListBox& GetList() { return m_list; }
  // The rows as shown, in order.
  std::vector<CString> GetRows() const;
  BOOL IsChanging() const;
  // Ends an in-place change; the page stays.
  void OnCancel() override;
  BOOL OnKillActive() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

  // Switches a control; the access-control page mirrors it to the front end.
  virtual void EnableControl(UINT id, BOOL bEnable);
  // Hooks of the list's steps (nothing by default).
  virtual void OnRowAdded(const CString& row);
  virtual void OnRowDeleted(int row);
  virtual void OnRowChanged(int row, const CString& text);
  virtual void OnListCleared();
  // A change begins (lock TRUE) or ends (FALSE): the controls besides the
  // list's own to lock or free.
  virtual void LockForChange(BOOL bLock) = 0;

  // The list controls (list, MAC edit, Delete, Remove All) follow `bOn`; Add
  // is on only with `bOn` and room for another row.
  void EnableListControls(BOOL bOn);
  // Adds the rows not listed yet (case ignored), each reported as added.
  void AddRows(const std::vector<CString>& rows);
  // The rows as the REG_MULTI_SZ value `name` of `key` (`keyPath` for the
  // registry service).
  static void StoreRows(HKEY key, LPCSTR name, const std::vector<CString>& rows, const CString& keyPath);
  // Every value of "ApDefault" copied into the driver key.
  static void CopyApDefaultToDriverKey();
  BOOL HasRoom() const { return m_list.GetCount() < m_nMaxRows; }

  // Add: the typed address checked and appended; FALSE when refused.
  virtual void OnAdd();
  BOOL AddTypedMac();
  void OnDelete();
  void OnRemoveAll();
  void OnBeginChange();
  void OnModify();
  void OnCancelChange();
  DECLARE_MESSAGE_MAP()

  CListBox m_list;
  CSmartEdit_AP m_macEdit;
  CSmartEdit_AP m_changeEdit;
  CString m_strMac;

 private:
  // Empties and hides the in-place edit and its buttons.
  void HideChangeControls();

  UINT m_nListId;
  int m_nMaxRows;
};
