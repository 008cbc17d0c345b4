#include <cstring>

#include "tests/worker/DiscoveryTest.h"
#include "worker/DeviceProperty.h"
#include "worker/SelCardDlg.h"

namespace worker::testing {
namespace {

class SelCardDlgTest : public DiscoveryTest {};

TEST_F(SelCardDlgTest, WithoutADeviceSetNothingIsListed) {
  answerChoice(nullptr, IDOK);
  CSelCardDlg dialog;
  dialog.SetDevInfo(INVALID_HANDLE_VALUE);
  dialog.m_arrDevIndex.Add(0);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].rows.empty());
  EXPECT_EQ(shown[0].description, "");
  EXPECT_EQ(dialog.GetSelectedRow(), -1);
}

TEST_F(SelCardDlgTest, AnEmptyIndexListIsRefusedWithoutListing) {
  GUID net[1];
  DWORD count = 0;
  ASSERT_TRUE(SetupDiClassGuidsFromName("Net", net, 1, &count));
  HDEVINFO set = SetupDiGetClassDevs(&net[0], nullptr, nullptr, DIGCF_PRESENT);
  answerChoice(nullptr, IDOK);
  CSelCardDlg dialog;
  dialog.SetDevInfo(set);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].rows.empty());
  SetupDiDestroyDeviceInfoList(set);
}

TEST_F(SelCardDlgTest, DevicePropertiesAreCutToTheirBufferAndAlwaysEnded) {
  GUID net[1];
  DWORD count = 0;
  ASSERT_TRUE(SetupDiClassGuidsFromName("Net", net, 1, &count));
  HDEVINFO set = SetupDiGetClassDevs(&net[0], nullptr, nullptr, DIGCF_PRESENT);
  SP_DEVINFO_DATA device{sizeof device, {}, 0, 0};
  ASSERT_TRUE(SetupDiEnumDeviceInfo(set, 0, &device));
  char small[8];
  std::memset(small, 'x', sizeof small);
  EXPECT_TRUE(ReadDeviceProperty(set, &device, SPDRP_FRIENDLYNAME, small, sizeof small));
  EXPECT_STREQ(small, "Wavorel");
  char id[64];
  EXPECT_TRUE(ReadDeviceProperty(set, &device, SPDRP_HARDWAREID, id, sizeof id));
  EXPECT_STREQ(id, "USB\\VID_F0A5&PID_0101&REV_0001") << "the first ID of the list";
  std::memset(small, 'x', sizeof small);
  EXPECT_FALSE(ReadDeviceProperty(set, &device, 0x7F, small, sizeof small));
  EXPECT_STREQ(small, "") << "a property that cannot be read reads empty";
  SetupDiDestroyDeviceInfoList(set);
}

}  // namespace
}  // namespace worker::testing
