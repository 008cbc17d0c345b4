// A headless run maps neither Xlib nor libxml2 (nor ICU, which libxml2
// brings): the X11 presenter and the WLAN profile reader are modules of
// their own, loaded when first used, and they work once loaded.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/Platform.h"
#include "platform/present/Presenter.h"
#include "platform/present/Screenshot.h"
#include "platform/sim/services/WlanProfile.h"
#include "platform/testing/PlatformTest.h"

namespace {

bool mapped(const char* library) {
  std::ifstream maps("/proc/self/maps");
  std::string line;
  while (std::getline(maps, line))
    if (line.find(library) != std::string::npos) return true;
  return false;
}

using CompanionModuleTest = wavorel::testing::PlatformTest;

TEST_F(CompanionModuleTest, XlibAndLibxml2AreMappedOnFirstUseOnly) {
  if (mapped("/libX11.so") || mapped("/libxml2.so")) GTEST_SKIP() << "an earlier test of this process loaded them";
  // What a headless run does: windows, painting, a screenshot.
  HWND w = CreateWindowEx(0, "STATIC", "Headless", WS_POPUP | WS_VISIBLE, 0, 0, 80, 40, nullptr, nullptr, nullptr,
                          nullptr);
  ASSERT_TRUE(wavorel::present::saveScreenshot(w, root() + "/shot.png"));
  EXPECT_FALSE(mapped("/libX11.so"));
  EXPECT_FALSE(mapped("/libxml2.so"));
  EXPECT_FALSE(mapped("/libicuuc.so"));

  // A display asked for: the X11 module comes (this display does not exist).
  EXPECT_FALSE(wavorel::present::openDisplay(":65000"));
  EXPECT_TRUE(mapped("/libwavx11.so"));
  EXPECT_TRUE(mapped("/libX11.so"));
  EXPECT_FALSE(mapped("/libxml2.so"));

  // A profile document: the reader comes, and reads it.
  const std::string xml =
      "<?xml version=\"1.0\"?><WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\">"
      "<name>Home</name><SSIDConfig><SSID><hex>486F6D65</hex></SSID></SSIDConfig><connectionType>ESS"
      "</connectionType><MSM><security><authEncryption><authentication>WPA2PSK</authentication><encryption>AES"
      "</encryption><useOneX>false</useOneX></authEncryption><sharedKey><keyType>passPhrase</keyType>"
      "<protected>false</protected><keyMaterial>secret123</keyMaterial></sharedKey></security></MSM></WLANProfile>";
  wavorel::sim::WlanProfile profile;
  uint32_t reason = 1;
  ASSERT_TRUE(wavorel::sim::parseWlanProfile(xml, profile, reason)) << reason;
  EXPECT_EQ(reason, 0u);
  EXPECT_EQ(profile.ssid, "Home");
  EXPECT_EQ(profile.authentication, "WPA2PSK");
  EXPECT_EQ(profile.keyMaterial, "secret123");
  EXPECT_TRUE(mapped("/libxml2.so"));
  EXPECT_FALSE(wavorel::sim::parseWlanProfile("<WLANProfile>", profile, reason));
  EXPECT_NE(reason, 0u);
  DestroyWindow(w);
}

}  // namespace
