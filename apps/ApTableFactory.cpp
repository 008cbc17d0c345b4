// Both programs make the tab controls of both modes: CTableCtrl_QZ for
// station mode and CTableCtrl_AP for soft-AP mode (whose AP worker is the
// program's build of it).
#include "frontend/TableCtrl_AP.h"
#include "frontend/TableCtrl_QZ.h"
#include "frontend/WavorelDlg.h"

namespace {

const bool g_tablesSet = (CWavorelDlg::SetTableCreators(&CTableCtrl_QZ::Make, &CTableCtrl_AP::Make), true);

}  // namespace
