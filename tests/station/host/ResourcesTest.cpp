// The resource script of the host and the profile pages: every template
// creates with the controls the pages bind, and every drop-down menu offers
// its commands in order with a toolbar image for each.
#include "tests/station/host/StationHostTest.h"

namespace station::testing {
namespace {

using ResourcesTest = StationHostTest;

TEST_F(ResourcesTest, TemplatesHoldTheirControls) {
  const struct {
    UINT id;
    std::vector<UINT> controls;
  } table[] = {
      {103, {1749, 1754, 1789, 1792, 1796}},
      {158, {1020, 1260, 1262, 1264, 1267, 1241, 1244, 1246, 1248, 1252, 1039, 1040, 1110, 1114, 1112, 1116, 1277,
             1281, 1028, 1030, 1270, 1273, 1283, 1286, 1290, 1294, 1297, 1299}},
      {166, {}},
      {218, {1293, 1296, 1750, 1753, 1757, 1761}},
      {308, {1308, 1532, 5199, 1315, 1291, 1310, 1312, 1286, 1321, 1324, 1327, 1329, 1331, 1333, 1244, 1248, 1270,
             1039, 1283, 1318, 1028, 1738, 1740, 1742, 1743, 1336, 1338, 1340, 1342}},
      {224, {1114, 1110, 1116, 1112, 1118, 1721, 1129, 1131, 1133, 1137, 1120, 1138, 1140, 1142, 1127, 1122, 1144,
             1146, 1148, 1150, 1125, 1249, 1253, 3143, 3219, 3067, 3220, 3241, 1561, 1723, 1725, 1728, 1731}},
  };
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr));
  for (const auto& row : table) {
    CDialog dialog(row.id);
    ASSERT_TRUE(dialog.Create(row.id, &parent)) << row.id;
    for (UINT control : row.controls) EXPECT_NE(dialog.GetDlgItem(control), nullptr) << row.id << ": " << control;
    dialog.DestroyWindow();
  }
  parent.DestroyWindow();
}

TEST_F(ResourcesTest, DropDownMenusCarryTheirCommandsAndToolbars) {
  const struct {
    UINT menu, toolbar;
    std::vector<UINT> commands;
  } table[] = {
      {322, 309, {32878, 32877}},
      {324, 313, {32879, 32880}},
      {326, 317, {32881, 32891, 32882, 32883, 32884, 32885, 32886}},
      {34000, 34001, {32776, 32785, 32803, 32804, 32805, 32806}},
      {269, 1261, {32812, 32813, 32814, 32815}},
      {286, 1263, {32842, 32843}},
      {287, 1266, {32844, 32845}},
      {289, 1269, {32846, 32847}},
      {291, 1272, {32848, 32849}},
  };
  for (const auto& row : table) {
    HMENU menu = LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(row.menu));
    ASSERT_NE(menu, nullptr) << row.menu;
    HMENU popup = GetSubMenu(menu, 0);
    std::vector<UINT> commands;
    for (int i = 0; i < GetMenuItemCount(popup); ++i) commands.push_back(GetMenuItemID(popup, i));
    EXPECT_EQ(commands, row.commands) << row.menu;
    DestroyMenu(menu);
    HBITMAP strip = LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(row.toolbar));
    ASSERT_NE(strip, nullptr) << row.toolbar;
    BITMAP info{};
    GetObject(strip, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, static_cast<LONG>(16 * row.commands.size())) << row.toolbar;
    DeleteObject(strip);
  }
}

}  // namespace
}  // namespace station::testing
