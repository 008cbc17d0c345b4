// CHTTable: the 802.11n rate table. Turns a transmit description (channel
// bandwidth, guard interval, MCS index) into a data rate in Mbps, and keeps
// the index table of rate and bandwidth texts by MCS (the rows as stored:
// index 3 reads "121.5.0,20"). Both tables are empty until Rebuild fills them.
#pragma once

#include <map>

#include "platform/Platform.h"

class CHTTable {
 public:
  CHTTable();
  virtual ~CHTTable();

  // Fills the index table, then the rate table; keys already there are kept.
  void Rebuild();
  // The rate of (40 MHz when bandwidth40 is not 0; the 400 ns guard interval
  // when shortGi is 1, else 800 ns; mcs). FALSE, and *pRate untouched, when
  // the table has no such row; at 20 MHz MCS 32 is refused at once.
  BOOL Lookup(int bandwidth40, int shortGi, int mcs, double* pRate) const;
  // Index 0..14: the rate (the number before the first comma, read as atof
  // reads it) and the bandwidth in MHz after it. FALSE for any other index.
  BOOL LookupByIndex(int key, double* pRate, int* pBandwidth) const;

 protected:
  // Index 0..14 -> "rate,bandwidth".
  std::map<int, CString> m_indexTable;
  // "BW,GI,MCS" -> rate in Mbps.
  std::map<CString, double> m_rateTable;
};
