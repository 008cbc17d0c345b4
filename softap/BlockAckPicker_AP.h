// What the two Block-Ack dialogs share: the TID list "0" to "7", the list of
// peers (one "BSSID" column), and taking the chosen peer.
#pragma once

#include "platform/Platform.h"
#include "softap/ApRecords.h"

// Fills the TID list and selects "0".
void FillTidList(CComboBox& list);
// Gives the peer list its column and styles.
void SetUpPeerList(CListCtrl& list);
// Adds a peer row; the first row added is selected.
void AddPeerRow(CListCtrl& list, const CString& mac);
// The selected peer's address; without one, "Please select BSSID" goes to
// the front end and the result is FALSE.
BOOL TakeSelectedPeer(CListCtrl& list, MacAddress& mac);
