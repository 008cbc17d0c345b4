// IcoMenuData: the record of one IcoMenu item, its item data: the text (kept
// wide, set and read as ANSI through the current code page), the command id
// (the sub-menu's handle for a pop-up item), the menu flags, the index of its
// image in the shared icon image list (-1: none) and an image list of its own.
#pragma once

#include <memory>
#include <string>

#include "platform/Platform.h"

class IcoMenuData {
 public:
  IcoMenuData() = default;
  IcoMenuData(const IcoMenuData&) = delete;
  IcoMenuData& operator=(const IcoMenuData&) = delete;

  void SetWideString(const WCHAR* text) { m_text = text ? text : u""; }
  const WCHAR* GetWideString() const { return m_text.c_str(); }
  void SetAnsiString(LPCSTR text);
  CString GetAnsiString() const;

  UINT_PTR nID = 0;
  UINT nFlags = 0;
  int nIconIndex = -1;
  std::unique_ptr<CImageList> pOwnImageList;
  BOOL bSeen = FALSE;

 private:
  std::u16string m_text;
};
