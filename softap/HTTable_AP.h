// CHTTable_AP: the AP pages' 802.11n rate table, the station table's rows;
// the AP configuration page looks adapters of family code 1 up by index
// (rate and bandwidth by MCS alone).
#pragma once

#include "station/status/HTTable.h"

class CHTTable_AP : public CHTTable {
 public:
  // Fills both tables (the owner calls it once).
  void Build() { Rebuild(); }
  // The rate by (bandwidth index, guard-interval index, MCS): 40 MHz for a
  // bandwidth index other than 0, 400 ns for guard-interval index 1.
  BOOL LookupRate(int bandwidth, int guardInterval, int mcs, double* pRate) const {
    return Lookup(bandwidth, guardInterval, mcs, pRate);
  }
};
