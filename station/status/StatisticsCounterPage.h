// CStatisticsCounterPage: what the statistics page's transmit and receive
// child pages share: one counter text per row bound to its value static, the
// row's label (the static before it) from the string table, no closing by
// Enter or Escape, and the page's top line.
#pragma once

#include <vector>

#include "platform/Platform.h"

class CStatisticsCounterPage : public CDialog {
 public:
  // `valueIds`: `rows` ids of the value statics; labels take strings
  // `firstLabelString`... in the same order.
  CStatisticsCounterPage(UINT templateId, const UINT* valueIds, int rows, UINT firstLabelString, CWnd* pParent);

  BOOL OnInitDialog() override;

  std::vector<CString> m_values;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  const UINT* m_valueIds;
  UINT m_firstLabelString;
};
