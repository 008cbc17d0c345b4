// The 11n Setting page: "BACapability" unpacked into the page and packed back,
// the record and the DWORD with aggregation off, the enable states, and a
// Block-Ack session with an associated station added and deleted through
// the two dialogs (run inside their modal loops).
#include <functional>
#include <string>
#include <vector>

#include "platform/mfc/ControlRef.h"
#include "softap/AddBlockAck_Dlg_AP.h"
#include "softap/BlockAck_AP.h"
#include "softap/DeleteBlockAck_APDlg.h"
#include "tests/softap/vista/ApPageSheet.h"

namespace softap::testing {
namespace {

constexpr char kStation[] = "00-24-D7-00-00-0A";

class ApBlockAckTest : public ApPageSheetTest<CBlockAck_AP> {
 protected:
  BOOL checked(UINT id) { return page().IsDlgButtonChecked(static_cast<int>(id)); }
  std::string text(UINT id) {
    CString value;
    page().GetDlgItemText(static_cast<int>(id), value);
    return static_cast<LPCSTR>(value);
  }
  DWORD storedCapability() {
    const std::string data = readValue(driverKeyOf(), "BACapability");
    return data.size() == 4 ? u32(std::vector<uint8_t>(data.begin(), data.end()), 0) : 0xDEADBEEF;
  }
  // Presses `button` (its handler runs the dialog modally) and runs `script`
  // on the dialog's window inside the dialog's loop.
  void runDialog(UINT button, const char* caption, const std::function<void(HWND)>& script) {
    page().PostMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    postScript([caption, script] {
      HWND dialog = ::FindWindow(nullptr, caption);
      ASSERT_NE(dialog, nullptr);
      script(dialog);
    });
    pump();
  }
  static std::vector<std::string> listTexts(HWND dialog, UINT id) {
    std::vector<std::string> out;
    ControlRef<CListCtrl> ref(CWnd::FromHandle(dialog), static_cast<int>(id));
    CListCtrl* list = ref.get();
    for (int r = 0; list && r < list->GetItemCount(); ++r) out.emplace_back(static_cast<LPCSTR>(list->GetItemText(r, 0)));
    return out;
  }
  std::vector<std::string> originatorRow() {
    std::vector<std::string> out;
    ControlRef<CListCtrl> ref(&page(), CBlockAck_AP::kOriginatorListId);
    CListCtrl* list = ref.get();
    if (!list || list->GetItemCount() == 0) return out;
    for (int c = 0; c < 9; ++c) out.emplace_back(static_cast<LPCSTR>(list->GetItemText(0, c)));
    return out;
  }
};

TEST_F(ApBlockAckTest, StoredCapabilityUnpacksIntoThePageAndPacksBackEqual) {
  // Bytes 32, 32, 251, 1, low byte first.
  writeValue(driverKeyOf(), "BACapability", REG_DWORD, std::string("\x20\x20\xFB\x01", 4));
  openSheet();
  EXPECT_TRUE(checked(CBlockAck_AP::kAutoId));
  EXPECT_TRUE(checked(CBlockAck_AP::kAggregationId));
  EXPECT_EQ(text(CBlockAck_AP::kDensityId), "7");
  EXPECT_TRUE(checked(CBlockAck_AP::kAmsduId));
  EXPECT_TRUE(checked(CBlockAck_AP::kAmsduLargeId)) << "Max: 7935";
  EXPECT_TRUE(checked(CBlockAck_AP::kSmDynamicId));
  const auto records = setsOf(0xFF8C0026);
  ASSERT_EQ(records.size(), 1u) << "initialisation sends the record";
  EXPECT_EQ(records[0].data, (std::vector<uint8_t>{32, 32, 1, 7, 1, 1, 1, 1}));
  // Auto set-up: density on, session buttons off.
  EXPECT_TRUE(enabled(CBlockAck_AP::kDensityId));
  EXPECT_FALSE(enabled(CBlockAck_AP::kOriginatorAddId));
  press(CBlockAck_AP::kApplyId);
  EXPECT_EQ(storedCapability(), 0x01FB2020u);
}

TEST_F(ApBlockAckTest, ACapabilityThatIsNotOneWholeDwordLeavesTheDefaults) {
  // A value of another size is not read in part: the page starts from its
  // defaults (Auto, aggregation and A-MSDU on, density 0, "SM enable").
  struct Case {
    const char* what;
    DWORD type;
    std::string data;
  };
  const Case cases[] = {{"two bytes", REG_DWORD, std::string("\x20\x20", 2)},
                        {"three bytes", REG_DWORD, std::string("\x20\x20\xFB", 3)},
                        {"binary", REG_BINARY, std::string("\x20\x20\xFB\x01", 4)},
                        {"eight bytes", REG_DWORD, std::string("\x20\x20\xFB\x01\x00\x00\x00\x00", 8)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    writeValue(driverKeyOf(), "BACapability", c.type, c.data);
    openSheet();
    const auto records = setsOf(0xFF8C0026);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].data, (std::vector<uint8_t>{32, 32, 1, 0, 1, 0, 3, 1}));
    EXPECT_TRUE(checked(CBlockAck_AP::kAutoId));
    EXPECT_EQ(text(CBlockAck_AP::kDensityId), "0");
    EXPECT_TRUE(checked(CBlockAck_AP::kAmsduSmallId));
    EXPECT_TRUE(checked(CBlockAck_AP::kSmEnableId));
    EXPECT_EQ(readValue(driverKeyOf(), "BACapability"), c.data) << "left as it was until APPLY";
    press(CBlockAck_AP::kApplyId);
    EXPECT_EQ(storedCapability(), 0x03432020u) << "APPLY writes the whole DWORD";
    closeSheet();
    restart();
  }
}

TEST_F(ApBlockAckTest, AggregationOffStillSendsTheRecordWithByteTwoTwo) {
  openSheet();
  page().CheckDlgButton(CBlockAck_AP::kAggregationId, BST_UNCHECKED);
  press(CBlockAck_AP::kAggregationId);
  for (UINT id : {CBlockAck_AP::kManualId, CBlockAck_AP::kAutoId, CBlockAck_AP::kDensityId,
                  CBlockAck_AP::kRecipientDeleteEntryId})
    EXPECT_FALSE(enabled(id)) << id;
  wavorel::sim::clearDriverCalls();
  press(CBlockAck_AP::kApplyId);
  const auto records = setsOf(0xFF8C0026);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].data[2], 2);
  EXPECT_EQ((storedCapability() >> 17) & 3, 2u);
}

TEST_F(ApBlockAckTest, ASessionWithAnAssociatedStationIsAddedListedAndDeleted) {
  useDefaultWorld("", client("Guest", kStation, "Arrives = 1"));
  openSheet();
  tick(2000);
  page().CheckDlgButton(CBlockAck_AP::kManualId, BST_CHECKED);
  page().CheckDlgButton(CBlockAck_AP::kAutoId, BST_UNCHECKED);
  press(CBlockAck_AP::kManualId);
  press(CBlockAck_AP::kAggregationId);
  EXPECT_TRUE(enabled(CBlockAck_AP::kOriginatorAddId));

  wavorel::sim::clearDriverCalls();
  runDialog(CBlockAck_AP::kOriginatorAddId, "Add MPDU Aggregation", [](HWND dialog) {
    EXPECT_EQ(listTexts(dialog, CAddBlockAck_Dlg_AP::kStationsId), std::vector<std::string>{kStation});
    ::SetDlgItemText(dialog, CAddBlockAck_Dlg_AP::kWindowId, "16");
    ::SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  const auto adds = setsOf(0xFF8C0025);
  ASSERT_EQ(adds.size(), 1u);
  EXPECT_EQ(adds[0].data, (std::vector<uint8_t>{0, 0x00, 0x24, 0xD7, 0, 0, 0x0A, 0, 16, 0, 0, 0, 0, 0}));
  tick(CBlockAck_AP::kRefreshMs);
  EXPECT_EQ(originatorRow(), (std::vector<std::string>{kStation, "16", "-", "-", "-", "-", "-", "-", "-"}));

  wavorel::sim::clearDriverCalls();
  runDialog(CBlockAck_AP::kOriginatorDeleteId, "Delete Block Ack", [](HWND dialog) {
    EXPECT_EQ(listTexts(dialog, CDeleteBlockAck_APDlg::kPeersId), std::vector<std::string>{kStation});
    ::SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  const auto deletes = setsOf(0xFF8C0027);
  ASSERT_EQ(deletes.size(), 1u);
  EXPECT_EQ(deletes[0].data[12], 0) << "one TID";
  tick(CBlockAck_AP::kRefreshMs);
  EXPECT_TRUE(originatorRow().empty());

  // Without a peer the dialog asks for one and stays open.
  runDialog(CBlockAck_AP::kRecipientDeleteEntryId, "Delete Block Ack", [](HWND dialog) {
    ::SendMessage(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(::IsWindow(dialog));
    ::SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(valuesOf(BRIDGE_UI_MESSAGE_BOX), std::vector<std::string>{"16\r\n\r\nPlease select BSSID"});
}

}  // namespace
}  // namespace softap::testing
