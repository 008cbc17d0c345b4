// CSortListCtrl: the report list of the skinned pages. Columns from one
// headings string, a three-way sort by a clicked column (numbers, times and
// text told apart), per-row records (column texts, four data words, colours,
// a lock, a tooltip and a user text, an attached record window), in-place
// editors chosen per column or by the parent, cell tooltips, and the column
// layout kept in the application profile.
#pragma once

#include <memory>
#include <vector>

#include "platform/Platform.h"
#include "skinvane/SortHeaderCtrl.h"
#include "utilmere/Utilmere.h"

class CEditForListCtrl;
class CComboBoxForListCtrl;

// Messages to the list's parent.
#define WM_SORTLIST_CLICK 0x1500      // wParam: the click's NMITEMACTIVATE
#define WM_SORTLIST_BEGINEDIT 0x1501  // wParam row, lParam column; answer 0 column type, 1 none, 2-4 editor
#define WM_SORTLIST_ENDEDIT 0x1900    // wParam: SORTLIST_ENDEDIT*; sent before the cell changes

// The record WM_SORTLIST_ENDEDIT points to.
struct SORTLIST_ENDEDIT {
  UINT row;
  UINT column;
  const char* oldText;
  const char* newText;
  int image;  // -1 without one
  UINT data;  // the row's data word 0
};

// Command ids of the popup-menu editor's items: base + choice index.
#define SORTLIST_MENU_FIRST_ID 10000

class CSortListCtrl : public CListCtrl {
 public:
  enum _enum_column_type { COLUMN_PLAIN = 1, COLUMN_EDIT = 2, COLUMN_COMBO = 3, COLUMN_MENU = 4 };

  struct _ItemAppData {
    COLORREF background = 0xFFFFFF;
    COLORREF text = 0;
    UINT lock = 0;  // non-zero: neither edited nor deleted
  };
  struct _ItemMemory {
    std::vector<CString> texts;
    std::unique_ptr<CString> toolTip;
    UINT data[4] = {0, 0, 0, 0};
    std::unique_ptr<_ItemAppData> attributes;
    CWnd* recordWnd = nullptr;  // destroyed and deleted with the row
    std::unique_ptr<CString> userText;
  };

  // Fills the choices of a combo or menu editor: (row, column, out, type, 0).
  typedef void (*FillCallback)(int row, int column, CStringArray* out, int type, int reserved);
  // Told before a row's record is freed, when the delete asks for it.
  typedef void (*RemoveCallback)(CSortListCtrl* list, int row);

  CSortListCtrl();
  ~CSortListCtrl() override;

  // Subclasses the list's header with the sort header (0 without a header)
  // and switches the cell tooltips on.
  using CListCtrl::SubclassWindow;
  BOOL SubclassWindow();
  void SetFillCallback(FillCallback callback) { m_fill = callback; }
  void SetRemoveCallback(RemoveCallback callback) { m_remove = callback; }

  // Columns. "name,width;name,width;..." appended as left-aligned plain
  // columns; a pair without a comma ends the parse. 0 when an insert fails.
  int SetHeadings(const CString& headings);
  int GetColumnCount() const;
  CString GetColumnText(int column) const;
  void SetColumnText(int column, CString text);
  virtual int GetColumnIndexByText(const char* text);
  // `fill`, when not null, becomes the fill callback of the editors.
  void SetColumnType(_enum_column_type type, int column, void* fill);
  void SetColumnType(_enum_column_type type, const char* heading, void* fill);
  _enum_column_type GetColumnType(int column) const;

  // Rows. Row -1 appends; returns the new row or -1.
  virtual int InsertItem(int row, CStringArray& texts, int image);
  // One text per column after `image`.
  int InsertItem(int row, int image, const char* text, ...);
  virtual void InsertItemSuccess(int row);
  // 0 for a row out of range or a locked row; `notify` tells the removal callback.
  int DeleteItem(int row, int notify);
  int DeleteAllItems();
  // The first row whose texts equal `texts` (as many as given), else -1.
  int RowIsExist(CStringArray& texts);
  int SetItemText(int row, int column, const char* text);
  int SetItemText(int row, CStringArray& texts);
  CString GetItemText(int row, int column) const;
  int GetItemInt(int row, int column) const;
  // The selected row's texts; the row, or -1 without a selection.
  int GetCurSelAllSubItemText(CStringArray& texts);
  int SetItemData(int row, DWORD value, int index);
  DWORD GetItemData(int row, int index) const;
  int SetItemUserText(int row, const char* text);
  CString GetItemUserText(int row) const;
  int SetItemToolTipText(int row, const char* text);
  CString GetItemToolTipText(int row) const;
  // The list owns the window from then on.
  int SetItemShowRecordWnd(int row, CWnd* window);
  CWnd* GetItemShowRecordWnd(int row) const;
  int ChangeItemImage(int row, int image);
  // Equal colours give the text the inverse colour; 0xFFFFFFFF keeps one.
  void ChangeLineColor(int row, COLORREF text, COLORREF background);
  void GetLineColor(int row, COLORREF& text, COLORREF& background) const;
  // Locks each row of the list ended by a negative value.
  void SetDisableEditItem(int row, ...);
  int CanEdit(int row) const;
  void SetCheckAll(int check);
  int GetSelectionMark();
  virtual void gxSelectOneItem(int row, int scroll);
  virtual void SyncSRWItem(int row);
  virtual void ClearShowRecordView();

  // Search: the first matching row, else -1.
  int FindItem(const char* text, int column);
  int FindItem(CStringArray& texts);
  int FindItem(CUIntArray& data);
  int FindCell(const char* text, int& column, int startRow);
  int FindItemBySubItem(int column, UINT value, int asNumber);

  // Sorting.
  void Sort(int column, int ascending);
  static int CALLBACK CompareFunction(LPARAM first, LPARAM second, LPARAM list);
  int GetSortColumn() const { return m_sortColumn; }
  int GetSortAscending() const { return m_sortAscending; }

  // Layout and look.
  void SetListCtrlGridAttr(int saveView, DWORD view);
  virtual void SetListView(DWORD view);
  DWORD GetTypeMask() const;
  virtual void ReSizing();
  virtual RECT GetItemRect(UINT code);
  using CListCtrl::GetItemRect;
  int PtInRect(int row, CPoint& point);
  virtual int IsCursorInValidRect();

  // Images.
  int InitImageList(UINT normalId, UINT smallId, COLORREF mask);
  int InitImageList(const char* normalFile, const char* smallFile, COLORREF mask);
  int SetOrCreateImageList(CImageList* normal, CImageList* small);
  static void CreateImageList(int size, CImageList& list);
  static void CopyImageList(CImageList& from, CImageList& to);

  // The column layout in the application profile.
  void SetRegSection(const char* section) { m_section = section; }
  void LoadColumnInfo();
  void SaveColumnInfo();

  // Editors.
  int ModifySelItemContent(int row, int column);
  void EditItem(int row, int column);
  void ComboItem(int row, int column, CStringArray& choices);
  void PopupMenuItem(int row, int column, CStringArray& choices);
  // Sends WM_SORTLIST_ENDEDIT and sets the cell when the text changed.
  void CommitEdit(int row, int column, const CString& text);
  // Called by an editor that is closing.
  void EditorClosed(CWnd* editor);
  // Takes the focus from an open editor, which commits it.
  void KillAllSubCtrlFocus();

  // Tooltips: tool id column + row x 100.
  WORD SetToolTipHitMask(WORD mask);
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const override;
  virtual BOOL OnToolTipText(UINT id, NMHDR* header, LRESULT* result);

 protected:
  virtual void OnClick(NMHDR* header, LRESULT* result);
  void OnColumnClick(NMHDR* header, LRESULT* result);
  void OnCustomDraw(NMHDR* header, LRESULT* result);
  void OnDestroy();
  LRESULT OnScroll(WPARAM wParam, LPARAM lParam);
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  DECLARE_MESSAGE_MAP()

 private:
  _ItemMemory* Record(int row) const;
  bool RowInRange(int row) const { return row >= 0 && row < CListCtrl::GetItemCount(); }
  void FreeRecord(int row, bool notify);
  _ItemAppData* Attributes(int row);
  CRect CellRect(int row, int column);
  static int CompareTexts(const CString& first, const CString& second);

  FillCallback m_fill = nullptr;
  RemoveCallback m_remove = nullptr;
  int m_clickRow = -1;
  int m_clickColumn = -1;
  int m_columnCount = 0;
  int m_imageCount = 0;
  int m_saveView = 0;
  DWORD m_view = LVS_REPORT;
  CImageList m_normalImages;
  CImageList m_smallImages;
  WORD m_hitMask = LVHT_ONITEM;
  int m_lastMark = -1;
  CSortHeaderCtrl m_header;
  int m_sortColumn = -1;
  int m_sortAscending = 1;
  CString m_section;
  CStringArray m_choices;
  std::vector<_enum_column_type> m_columnTypes;
  CEditForListCtrl* m_edit = nullptr;
  CComboBoxForListCtrl* m_combo = nullptr;
  std::vector<std::unique_ptr<_ItemMemory>> m_records;
};
