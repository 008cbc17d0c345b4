// Wavorel makes its station mode's tab control with CTableCtrl_QZ; its soft-AP
// mode has no tab control while its AP worker is not part of the program.
#include "frontend/TableCtrl_QZ.h"
#include "frontend/WavorelDlg.h"

namespace {

const bool g_stationTableSet = (CWavorelDlg::SetTableCreators(&CTableCtrl_QZ::Make, nullptr), true);

}  // namespace
