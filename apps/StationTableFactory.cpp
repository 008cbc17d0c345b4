// Both programs make their station mode's tab control with CTableCtrl_QZ.
#include "frontend/TableCtrl_QZ.h"
#include "frontend/WavorelDlg.h"

namespace {

const bool g_stationTableSet = (CWavorelDlg::SetTableCreators(&CTableCtrl_QZ::Make, nullptr), true);

}  // namespace
