// The public header of the skinned control library: one header per class.
#pragma once

#include "skinvane/WndCommonAttr.h"
#include "skinvane/PolygonDialog.h"
#include "skinvane/GxBtnPub.h"
#include "skinvane/GxBtnPic.h"
#include "skinvane/GxBtnChkRadio.h"
#include "skinvane/GxBtnHotspot.h"
#include "skinvane/GxEdit.h"
#include "skinvane/SortHeaderCtrl.h"
#include "skinvane/SortListCtrl.h"
#include "skinvane/EditForListCtrl.h"
#include "skinvane/ComboBoxForListCtrl.h"
#include "skinvane/BalloonHelp.h"
#include "skinvane/BitListBox.h"
#include "skinvane/GxComboBitmap.h"
#include "skinvane/GxComboBox.h"
