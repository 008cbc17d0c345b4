// The register page: register records both ways, the range checks that stop
// an action before anything is sent, the R17 record, and the timed MIC-error
// test.
#include <string>
#include <vector>

#include "platform/win/user/ModalLoop.h"
#include "softap/RegSetPage_AP.h"
#include "tests/softap/vista/ApPageSheet.h"

namespace softap::testing {
namespace {

class ApRegSetTest : public ApPageSheetTest<CRegSetPage_AP> {
 protected:
  void TearDown() override {
    wavorel::setModalResponder(nullptr);
    ApPageSheetTest::TearDown();
  }
  std::string text(UINT id) {
    CString value;
    page().GetDlgItemText(static_cast<int>(id), value);
    return static_cast<LPCSTR>(value);
  }
  size_t micTests() { return setsOf(0xFF8C0047).size(); }
};

TEST_F(ApRegSetTest, RegistersAreWrittenAndReadBackInTheirForms) {
  openSheet();
  struct Case {
    UINT offsetId, valueId, setId, queryId;
    const char *offset, *value, *shown;
    uint32_t kind, address;
  };
  const Case cases[] = {
      {CRegSetPage_AP::kMacOffsetId, CRegSetPage_AP::kMacValueId, CRegSetPage_AP::kMacSetId,
       CRegSetPage_AP::kMacQueryId, "1010", "1234", "00001234", 0, 0x1010},
      {CRegSetPage_AP::kBbpIdId, CRegSetPage_AP::kBbpValueId, CRegSetPage_AP::kBbpSetId,
       CRegSetPage_AP::kBbpQueryId, "66", "1A7", "A7", 1, 66},
      {CRegSetPage_AP::kEepromOffsetId, CRegSetPage_AP::kEepromValueId, CRegSetPage_AP::kEepromSetId,
       CRegSetPage_AP::kEepromQueryId, "3A", "beef", "0000BEEF", 3, 0x3A},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown);
    wavorel::sim::clearDriverCalls();
    setText(c.offsetId, c.offset);
    setText(c.valueId, c.value);
    press(c.setId);
    const auto sets = setsOf(0xFF8C0008);
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(u32(sets[0].data, 0), c.kind);
    EXPECT_EQ(u32(sets[0].data, 4), c.address);
    setText(c.valueId, "0");
    press(c.queryId);
    EXPECT_EQ(text(c.valueId), c.shown);
  }
  wavorel::sim::clearDriverCalls();
  setText(CRegSetPage_AP::kRfValueId, "12AB");
  press(CRegSetPage_AP::kRfSetId);
  const auto rf = setsOf(0xFF8C0008);
  ASSERT_EQ(rf.size(), 1u);
  EXPECT_EQ(rf[0].data, (std::vector<uint8_t>{2, 0, 0, 0, 0, 0, 0, 0, 0xAB, 0x12, 0, 0}));
}

TEST_F(ApRegSetTest, ValuesOutOfRangeStopTheActionBeforeAnythingIsSent) {
  openSheet();
  std::vector<std::string> messages;
  wavorel::setModalResponder([&](const wavorel::ModalWindow& w) {
    messages.push_back(w.text);
    return IDOK;
  });
  struct Case {
    UINT field;
    const char* text;
    UINT button;
  };
  const Case cases[] = {{CRegSetPage_AP::kBbpIdId, "256", CRegSetPage_AP::kBbpQueryId},
                        {CRegSetPage_AP::kBbpIdId, "256", CRegSetPage_AP::kMacSetId},
                        {CRegSetPage_AP::kMicOffsetId, "60", CRegSetPage_AP::kMicButtonId},
                        {CRegSetPage_AP::kR17StepId, "300", CRegSetPage_AP::kR17SetId}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    setText(c.field, c.text);
    wavorel::sim::clearDriverCalls();
    messages.clear();
    press(c.button);
    EXPECT_EQ(messages.size(), 1u) << "the range message";
    EXPECT_TRUE(calls().empty());
    setText(c.field, "0");
  }
}

TEST_F(ApRegSetTest, R17RecordGoesAndComesBackAsFourBytes) {
  openSheet();
  setText(CRegSetPage_AP::kR17LowerId, "20");
  setText(CRegSetPage_AP::kR17UpperId, "40");
  setText(CRegSetPage_AP::kR17StepId, "2");
  setText(CRegSetPage_AP::kR17MaxId, "3f");
  press(CRegSetPage_AP::kR17SetId);
  const auto sets = setsOf(0xFF8C003E);
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(sets[0].data, (std::vector<uint8_t>{20, 40, 2, 0x3F}));
  for (UINT id : {CRegSetPage_AP::kR17LowerId, CRegSetPage_AP::kR17UpperId, CRegSetPage_AP::kR17StepId})
    setText(id, "0");
  press(CRegSetPage_AP::kR17QueryId);
  EXPECT_EQ(text(CRegSetPage_AP::kR17LowerId), "20");
  EXPECT_EQ(text(CRegSetPage_AP::kR17UpperId), "40");
  EXPECT_EQ(text(CRegSetPage_AP::kR17StepId), "2");
  EXPECT_EQ(text(CRegSetPage_AP::kR17MaxId), "3f");
}

TEST_F(ApRegSetTest, MicErrorsComeAtOnceAfterSixtySecondsAndAfterTwoMinutes) {
  openSheet();
  setText(CRegSetPage_AP::kMicOffsetId, "0");
  press(CRegSetPage_AP::kMicButtonId);
  EXPECT_EQ(micTests(), 1u);
  EXPECT_TRUE(setsOf(0xFF8C0047)[0].data.empty());
  EXPECT_FALSE(enabled(CRegSetPage_AP::kMicButtonId));
  tick(59999);
  EXPECT_EQ(micTests(), 1u);
  tick(1);
  EXPECT_EQ(micTests(), 2u);
  tick(59999);
  EXPECT_EQ(micTests(), 2u);
  EXPECT_FALSE(enabled(CRegSetPage_AP::kMicButtonId));
  tick(1);
  EXPECT_EQ(micTests(), 3u);
  EXPECT_TRUE(enabled(CRegSetPage_AP::kMicButtonId));
  tick(300000);
  EXPECT_EQ(micTests(), 3u) << "both timers stopped";
}

}  // namespace
}  // namespace softap::testing
