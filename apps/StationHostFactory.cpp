// The station worker of each program makes its hidden host of the station
// pages with CSorvik2007Dlg.
#include "station/host/Sorvik2007Dlg.h"

namespace {

const bool g_hostFactorySet = (SetStationHostFactory(&CSorvik2007Dlg::Make), true);

}  // namespace
