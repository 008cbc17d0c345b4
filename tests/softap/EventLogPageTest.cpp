// The AP sheet's Event Log page in a sheet of its own: rows from the event-log
// store every two seconds (local time, message by event code), the newest
// 100 rows kept, Clear, and its picture with three rows.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/present/Screenshot.h"
#include "platform/testing/PlatformTest.h"
#include "softap/ApPoll.h"
#include "softap/EventLogPage_AP.h"

namespace {

constexpr BYTE kStation[6] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};

// 2024-05-06 07:08:09 UTC plus `seconds`.
FILETIME UtcTime(int seconds) {
  SYSTEMTIME st{2024, 5, 1, 6, 7, 8, 9, 0};
  FILETIME ft{};
  SystemTimeToFileTime(&st, &ft);
  const uint64_t value = (uint64_t{ft.dwHighDateTime} << 32 | ft.dwLowDateTime) + uint64_t(seconds) * 10000000u;
  return FILETIME{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

_VX_802_11_EVENT_LOG Event(USHORT code, int seconds = 0, const BYTE* mac = kStation) {
  _VX_802_11_EVENT_LOG e{};
  e.Time = UtcTime(seconds);
  std::memcpy(e.MacAddress, mac, 6);
  e.EventCode = code;
  return e;
}

class EventLogPageTest : public wavorel::testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    // Local time is two hours ahead of UTC, all year.
    TIME_ZONE_INFORMATION zone{};
    zone.Bias = -120;
    wavorel::setTimeZone(zone);
    ClearApEventLog();
    sheet_.AddPage(&page_);
    ASSERT_TRUE(sheet_.Create(nullptr, WS_POPUP | WS_CAPTION | WS_SYSMENU));
    list_ = static_cast<CListCtrl*>(page_.GetDlgItem(CEventLogPage_AP::kListId));
    ASSERT_NE(list_, nullptr);
  }
  void TearDown() override {
    if (sheet_.GetSafeHwnd()) sheet_.DestroyWindow();
    ClearApEventLog();
    PlatformTest::TearDown();
  }
  // Two seconds pass: the page's timer lists what is new.
  void Tick() {
    clock().advance(CEventLogPage_AP::kRefreshMs);
    wavorel::pumpMessages();
  }
  std::string Cell(int row, int column) { return static_cast<LPCSTR>(list_->GetItemText(row, column)); }

  CPropertySheet sheet_{"Soft AP"};
  CEventLogPage_AP page_;
  CListCtrl* list_ = nullptr;
};

TEST_F(EventLogPageTest, ColumnsAndClearButton) {
  LVCOLUMN column{};
  char heading[64] = {};
  column.mask = LVCF_TEXT;
  column.pszText = heading;
  column.cchTextMax = sizeof heading;
  ASSERT_TRUE(list_->GetColumn(0, &column));
  EXPECT_STREQ(heading, "Event Time (yy/mm/dd- hh:mm:ss)");
  ASSERT_TRUE(list_->GetColumn(1, &column));
  EXPECT_STREQ(heading, "Message");
  CRect area;
  list_->GetClientRect(&area);
  EXPECT_EQ(list_->GetColumnWidth(0), area.Width() / 10 * 4);
  EXPECT_EQ(list_->GetColumnWidth(1), static_cast<int>(area.Width() / 10 * 5.9));
  EXPECT_EQ(list_->GetExtendedStyle() & (LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_INFOTIP),
            static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_INFOTIP));
  CString clear;
  page_.GetDlgItemText(CEventLogPage_AP::kClearId, clear);
  EXPECT_EQ(clear, "Clear");
  EXPECT_EQ(page_.GetCaption(), "Event Log");
}

TEST_F(EventLogPageTest, RowsShowLocalTimeAndTheEventText) {
  _VX_802_11_EVENT_LOG unreadable = Event(1);
  unreadable.Time = FILETIME{0xFFFFFFFFu, 0xFFFFFFFFu};
  _VX_802_11_EVENT_LOG edge = Event(2);  // local time beyond the last FILETIME
  edge.Time = FILETIME{0xFFFFFFFFu, 0x7FFFFFFFu};
  StoreApEvents({Event(1), Event(0, 61), Event(9, 3600), Event(2), Event(3), Event(4), Event(5), unreadable, edge});
  EXPECT_EQ(list_->GetItemCount(), 0) << "nothing before the timer";
  Tick();
  ASSERT_EQ(list_->GetItemCount(), 9);
  EXPECT_EQ(g_nApEventLogShown, 9);
  struct Row {
    const char* time;
    const char* message;
  };
  const Row rows[] = {
      {"2024 / 05 / 06 - 09 : 08 : 09", " 00-11-22-33-44-55 associated"},
      {"2024 / 05 / 06 - 09 : 09 : 10", "Restart Access Point"},
      {"2024 / 05 / 06 - 10 : 08 : 09", ""},
      {"2024 / 05 / 06 - 09 : 08 : 09", " 00-11-22-33-44-55 left this BSS"},
      {"2024 / 05 / 06 - 09 : 08 : 09", " 00-11-22-33-44-55 was aged-out and removed from this BSS"},
      {"2024 / 05 / 06 - 09 : 08 : 09", " 00-11-22-33-44-55 generated active countermeasure"},
      {"2024 / 05 / 06 - 09 : 08 : 09", " 00-11-22-33-44-55 associated with invalid PSK password"},
      {"", " 00-11-22-33-44-55 associated"},
      {"", " 00-11-22-33-44-55 left this BSS"},
  };
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(Cell(i, 0), rows[i].time) << i;
    EXPECT_EQ(Cell(i, 1), rows[i].message) << i;
  }
  // Only new entries are added on the next tick.
  const BYTE other[6] = {0xAA, 0xBB, 0x0C, 0x0D, 0xEE, 0xFF};
  StoreApEvents({Event(1, 5, other)});
  Tick();
  ASSERT_EQ(list_->GetItemCount(), 10);
  EXPECT_EQ(Cell(9, 1), " AA-BB-0C-0D-EE-FF associated");
}

TEST_F(EventLogPageTest, KeepsTheNewest100Rows) {
  std::vector<_VX_802_11_EVENT_LOG> first;
  for (int i = 0; i < 95; ++i) first.push_back(Event(0, i));
  StoreApEvents(first);
  Tick();
  ASSERT_EQ(list_->GetItemCount(), 95);
  // 10 more: the store drops its 5 oldest, the list its 5 first rows.
  std::vector<_VX_802_11_EVENT_LOG> more;
  for (int i = 95; i < 105; ++i) more.push_back(Event(0, i));
  StoreApEvents(more);
  Tick();
  ASSERT_EQ(list_->GetItemCount(), 100);
  EXPECT_EQ(Cell(0, 0), "2024 / 05 / 06 - 09 : 08 : 14") << "the sixth event";
  EXPECT_EQ(Cell(99, 0), "2024 / 05 / 06 - 09 : 09 : 53") << "the newest";
  EXPECT_EQ(g_nApEventLogShown, 100);
}

TEST_F(EventLogPageTest, ClearEmptiesListAndStore) {
  StoreApEvents({Event(1), Event(2)});
  Tick();
  ASSERT_EQ(list_->GetItemCount(), 2);
  page_.SendMessage(WM_COMMAND, MAKEWPARAM(CEventLogPage_AP::kClearId, BN_CLICKED),
                    reinterpret_cast<LPARAM>(page_.GetDlgItem(CEventLogPage_AP::kClearId)->GetSafeHwnd()));
  EXPECT_EQ(list_->GetItemCount(), 0);
  EXPECT_EQ(g_apEventLog.GetSize(), 0);
  EXPECT_EQ(g_nApEventLogShown, 0);
  StoreApEvents({Event(5, 30)});
  Tick();
  ASSERT_EQ(list_->GetItemCount(), 1);
  EXPECT_EQ(Cell(0, 1), " 00-11-22-33-44-55 associated with invalid PSK password");
}

TEST_F(EventLogPageTest, PictureWithThreeRows) {
  sheet_.SetWindowPos(nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
  StoreApEvents({Event(1), Event(0, 61), Event(3, 125)});
  Tick();
  ASSERT_EQ(list_->GetItemCount(), 3);
  wavorel::runFor(0);
  const wavorel::WindowImage image = wavorel::composeWindow(sheet_.GetSafeHwnd());
  ASSERT_FALSE(image.empty());
  EXPECT_TRUE(wavorel::present::writeImage(image, "ap-event-log.png"));

  // Text is drawn in the first two rows' cells and the third's, and not
  // below the last row.
  CRect sheetRect;
  sheet_.GetWindowRect(&sheetRect);
  auto darkPixels = [&](const CRect& cell) {
    CRect r = cell;
    list_->ClientToScreen(&r);
    r.OffsetRect(-sheetRect.left, -sheetRect.top);
    int dark = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        const COLORREF c = image.colorAt(x, y);
        dark += GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100;
      }
    return dark;
  };
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 2; ++column) {
      CRect cell;
      ASSERT_TRUE(list_->GetSubItemRect(row, column, LVIR_LABEL, cell));
      EXPECT_GT(darkPixels(cell), 10) << row << "," << column;
    }
  CRect below;
  list_->GetSubItemRect(2, 0, LVIR_BOUNDS, below);
  below.OffsetRect(0, below.Height() + 2);
  below.right = below.left + list_->GetColumnWidth(0);
  EXPECT_EQ(darkPixels(below), 0) << "no fourth row";
}

}  // namespace
