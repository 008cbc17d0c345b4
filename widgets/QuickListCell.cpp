#include "widgets/QuickListCell.h"

namespace {

// DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER; the column's alignment is added.
constexpr UINT kResetTextFormat = 0x8024;

}  // namespace

void CQuickListCell::Reset(CImageList* imageList) {
  m_strText.Empty();
  m_strTipText.Empty();
  m_bNoHighlight = 0;
  m_bBold = 0;
  m_bItalic = 0;
  m_nTextFormat = kResetTextFormat;
  m_nImage = -1;
  m_pImageList = imageList;
  m_bImageBkUnhighlighted = 1;
  m_bCenterImage = 0;
  m_nSelectedImageStyle = ILD_BLEND50;
  m_nCheckState = 0;
  m_bCheckBox = 0;
  m_bCenterCheckBox = 0;
  m_bCheckBoxBkUnhighlighted = 1;
  m_nProgressMax = -1;
  m_nProgressValue = 0;
  m_crBar = kQuickListDefaultColor;
  m_crBarText = kQuickListDefaultColor;
  m_nBarEdge = EDGE_SUNKEN;
  m_crText = kQuickListDefaultColor;
  m_crBackground = kQuickListDefaultColor;
  m_crHotText = kQuickListDefaultColor;
  m_crSelectedText = kQuickListDefaultColor;
  m_crSelectedBackground = kQuickListDefaultColor;
  m_crSelectedBackgroundNoFocus = kQuickListDefaultColor;
  m_crFocusText = kQuickListDefaultColor;
  m_crFocusBackground = kQuickListDefaultColor;
  m_nRow = 0;
  m_nColumn = 0;
  m_bSelected = 0;
  m_bHot = 0;
}
