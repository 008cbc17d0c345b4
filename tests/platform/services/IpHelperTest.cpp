#include "LabWorldTest.h"

namespace wavorel::sim::testing {
namespace {

using IpHelperTest = LabWorldTest;

std::vector<uint8_t> table(ULONG& size) {
  size = 0;
  EXPECT_EQ(GetAdaptersInfo(nullptr, &size), static_cast<DWORD>(ERROR_BUFFER_OVERFLOW));
  std::vector<uint8_t> buffer(size);
  EXPECT_EQ(GetAdaptersInfo(reinterpret_cast<PIP_ADAPTER_INFO>(buffer.data()), &size),
            static_cast<DWORD>(ERROR_SUCCESS));
  return buffer;
}

TEST_F(IpHelperTest, TheBufferSizeProtocolAndTheAddressOnlyOnceAssociated) {
  ULONG size = 0;
  std::vector<uint8_t> buffer = table(size);
  ASSERT_EQ(size, sizeof(IP_ADAPTER_INFO));
  ULONG tooSmall = size - 1;
  EXPECT_EQ(GetAdaptersInfo(reinterpret_cast<PIP_ADAPTER_INFO>(buffer.data()), &tooSmall),
            static_cast<DWORD>(ERROR_BUFFER_OVERFLOW));
  EXPECT_EQ(tooSmall, size);
  EXPECT_EQ(GetAdaptersInfo(nullptr, nullptr), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

  auto* info = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
  EXPECT_EQ(info->Next, nullptr);
  EXPECT_STREQ(info->AdapterName, kDefaultGuid);
  EXPECT_STREQ(info->Description, "Lab USB Wireless");
  ASSERT_EQ(info->AddressLength, 6u);
  EXPECT_EQ(std::vector<uint8_t>(info->Address, info->Address + 6),
            (std::vector<uint8_t>{0x00, 0x0C, 0x43, 0x30, 0x28, 0x70}));
  EXPECT_EQ(info->Type, static_cast<UINT>(IF_TYPE_IEEE80211));
  EXPECT_EQ(info->DhcpEnabled, 1u);
  EXPECT_STREQ(info->IpAddressList.IpAddress.String, "0.0.0.0");
  EXPECT_STREQ(info->GatewayList.IpAddress.String, "");

  join("LabNet");
  buffer = table(size);
  info = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
  EXPECT_STREQ(info->IpAddressList.IpAddress.String, "10.20.30.40");
  EXPECT_STREQ(info->IpAddressList.IpMask.String, "255.255.255.0");
  EXPECT_STREQ(info->GatewayList.IpAddress.String, "10.20.30.1");
  EXPECT_STREQ(info->DhcpServer.IpAddress.String, "10.20.30.1");

  leave();
  buffer = table(size);
  EXPECT_STREQ(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data())->IpAddressList.IpAddress.String, "0.0.0.0");
}

TEST_F(IpHelperTest, PresentAdaptersAreChainedAndNoneGivesNoData) {
  useWorld(labWorld("[Adapter2]\nHardwareId = PCI\\VEN_1814&DEV_0781\nGuid = {11111111-2222-3333-4444-555555555555}\n"
                    "Description = Lab PCI Wireless\nMac = 00-0C-43-00-00-02\n"));
  ULONG size = 0;
  std::vector<uint8_t> buffer = table(size);
  ASSERT_EQ(size, 2 * sizeof(IP_ADAPTER_INFO));
  auto* first = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
  ASSERT_NE(first->Next, nullptr);
  EXPECT_STREQ(first->Next->Description, "Lab PCI Wireless");
  EXPECT_EQ(first->Next->Next, nullptr);
  EXPECT_NE(first->Index, first->Next->Index);

  machine().setPresent(kDefaultGuid, false);
  buffer = table(size);
  ASSERT_EQ(size, sizeof(IP_ADAPTER_INFO));
  EXPECT_STREQ(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data())->Description, "Lab PCI Wireless");
  machine().setPresent("{11111111-2222-3333-4444-555555555555}", false);
  EXPECT_EQ(GetAdaptersInfo(nullptr, &size), static_cast<DWORD>(ERROR_NO_DATA));
}

}  // namespace
}  // namespace wavorel::sim::testing
