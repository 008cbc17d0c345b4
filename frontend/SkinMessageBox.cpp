#include "frontend/SkinMessageBox.h"

#include "frontend/DlgMessageBox.h"
#include "frontend/SaveWithoutShowingFlag.h"

int SkinMessageBox(UINT type, const char* caption, const char* text) {
  if (int* flag = CSaveWithoutShowingFlag::OfMainWindow()) *flag = 0;
  CDlgMessageBox box(nullptr);
  box.m_nType = static_cast<int>(type);
  box.m_strCaption = caption != nullptr ? caption : "";
  box.m_strText = text != nullptr ? text : "";
  return static_cast<int>(box.DoModal());
}
