// The AP module's small controls: the list without a horizontal scroll bar,
// the drop-down list that widens to its items, and the filtered numeric edit.
#pragma once

#include "softap/NoHScrollListCtrl_AP.h"
#include "softap/ResizeWidthComboBox_AP.h"
#include "softap/SmartEdit_AP.h"
