#include "frontend/SaveWithoutShowingFlag.h"

#include "frontend/GxTabCtrl.h"
#include "frontend/WavorelDlg.h"

int* CSaveWithoutShowingFlag::OfMainWindow() {
  CWavorelDlg* main = dynamic_cast<CWavorelDlg*>(AfxGetMainWnd());
  if (!main) return nullptr;
  auto* holder = dynamic_cast<CSaveWithoutShowingFlag*>(main->GetStationTable());
  return holder ? &holder->SaveWithoutShowingFlag() : nullptr;
}
