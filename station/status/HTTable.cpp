#include "station/status/HTTable.h"

#include <cstdlib>
#include <iterator>

namespace {

const char* const kIndexRows[] = {"54.0,20",  "81.0,20",  "108.0,20", "121.5.0,20", "135.0,20",
                                  "54.0,20",  "81.0,20",  "108.0,20", "121.5,20",   "135.0,20",
                                  "108.0,40", "162.0,40", "216.0,40", "243.0,40",   "270.0,40"};

// The rates of MCS 0..15 for each bandwidth and guard interval, then the
// 40 MHz rows of MCS 32 and 33.
struct RateBlock {
  const char* prefix;
  double rates[16];
  bool hasExtra;
  double mcs32;
  double mcs33;
};

const RateBlock kRateBlocks[] = {
    {"20,800,",
     {6.5, 13.0, 19.5, 26.0, 39.0, 52.0, 58.5, 65.0, 13.0, 26.0, 39.0, 52.0, 78.0, 104.0, 117.0, 130.0},
     false, 0.0, 0.0},
    {"20,400,",
     {7.2, 14.4, 21.7, 28.9, 43.3, 57.8, 65.0, 72.2, 14.444, 28.889, 43.333, 57.778, 86.667, 115.556, 130.0, 144.444},
     false, 0.0, 0.0},
    {"40,800,",
     {13.5, 27.0, 40.5, 54.0, 81.0, 108.0, 121.5, 135.0, 27.0, 54.0, 81.0, 108.0, 162.0, 216.0, 243.0, 270.0},
     true, 6.0, 39.0},
    {"40,400,",
     {15.0, 30.0, 45.0, 60.0, 90.0, 120.0, 135.0, 150.0, 30.0, 60.0, 90.0, 120.0, 180.0, 240.0, 270.0, 300.0},
     true, 6.7, 43.3},
};

CString RateKey(const char* prefix, int mcs) {
  CString key;
  key.Format("%s%d", prefix, mcs);
  return key;
}

}  // namespace

CHTTable::CHTTable() = default;

CHTTable::~CHTTable() = default;

void CHTTable::Rebuild() {
  for (int i = 0; i < static_cast<int>(std::size(kIndexRows)); ++i) m_indexTable.emplace(i, kIndexRows[i]);
  for (const RateBlock& block : kRateBlocks) {
    for (int mcs = 0; mcs < 16; ++mcs) m_rateTable.emplace(RateKey(block.prefix, mcs), block.rates[mcs]);
    if (block.hasExtra) {
      m_rateTable.emplace(RateKey(block.prefix, 32), block.mcs32);
      m_rateTable.emplace(RateKey(block.prefix, 33), block.mcs33);
    }
  }
}

BOOL CHTTable::Lookup(int bandwidth40, int shortGi, int mcs, double* pRate) const {
  if (bandwidth40 == 0 && (shortGi == 0 || shortGi == 1) && mcs == 32) return FALSE;
  CString key;
  key.Format("%s%s%d", bandwidth40 != 0 ? "40," : "20,", shortGi == 1 ? "400," : "800,", mcs);
  auto found = m_rateTable.find(key);
  if (found == m_rateTable.end()) return FALSE;
  if (pRate) *pRate = found->second;
  return TRUE;
}

BOOL CHTTable::LookupByIndex(int key, double* pRate, int* pBandwidth) const {
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
