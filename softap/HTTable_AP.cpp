#include "softap/HTTable_AP.h"

#include <cstdlib>

BOOL CHTTable_AP::LookupByIndex(int key, double* pRate, int* pBandwidth) const {
  if (key > 14) return FALSE;
  auto found = m_indexTable.find(key);
  if (found == m_indexTable.end()) return FALSE;
  const CString& text = found->second;
  const int comma = text.Find(',');
  const CString rate = comma < 0 ? text : text.Left(comma);
  const CString bandwidth = comma < 0 ? CString() : text.Mid(comma + 1);
  if (pRate) *pRate = atof(rate);
  if (pBandwidth) *pBandwidth = atoi(bandwidth);
  return TRUE;
}
