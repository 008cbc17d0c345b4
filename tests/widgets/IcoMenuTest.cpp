// IcoMenu: menus built from templates, the shared image store, toolbars, the
// look chosen by system and theme, item sizes, drawing pieces, keyboard
// shortcuts and destruction; malformed resources.
#include "widgets/IcoMenu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WidgetTestSupport.h"
#include "data/WidgetIds.h"
#include "widgets/IcoMenuImageStore.h"

namespace widgets_test {
namespace {

constexpr WORD kMissingEnd = 700;
constexpr WORD kCutText = 701;
constexpr WORD kOffsetPastEnd = 702;
constexpr WORD kShortToolBar = 703;

// Menu templates: header {version, offset}, then items {flags, [id], text}.
const BYTE kMissingEndBytes[] = {0, 0, 0, 0, 0x90, 0, 'P', 0, 0, 0, 0, 0, 1, 0, 'A', 0, 0, 0};
const BYTE kCutTextBytes[] = {0, 0, 0, 0, 0x80, 0, 1, 0, 'A', 0, 'B'};
const BYTE kOffsetPastEndBytes[] = {0, 0, 100, 0, 0x80, 0, 1, 0, 'A', 0, 0, 0};
// A toolbar naming 4 buttons that holds 1.
const BYTE kShortToolBarBytes[] = {1, 0, 16, 0, 15, 0, 4, 0, 0x21, 0x80};
const wavorel::ResourceEntry kBrokenEntries[] = {
    {{4, nullptr}, {kMissingEnd, nullptr}, 0, kMissingEndBytes, sizeof kMissingEndBytes},
    {{4, nullptr}, {kCutText, nullptr}, 0, kCutTextBytes, sizeof kCutTextBytes},
    {{4, nullptr}, {kOffsetPastEnd, nullptr}, 0, kOffsetPastEndBytes, sizeof kOffsetPastEndBytes},
    {{241, nullptr}, {kShortToolBar, nullptr}, 0, kShortToolBarBytes, sizeof kShortToolBarBytes},
};
const wavorel::ResourceTable kBroken{kBrokenEntries, 4, nullptr, 0};

HINSTANCE brokenModule() {
  static HINSTANCE module = [] {
    HINSTANCE made = wavorel::moduleInstance("BrokenMenus.dll");
    wavorel::registerResourceModule(made, kBroken);
    return made;
  }();
  return module;
}

// A 16 x 15 image list holding one image: a red square on the button face.
void makeImage(CImageList& images, COLORREF colour = RGB(255, 0, 0)) {
  ASSERT_TRUE(images.Create(16, 15, ILC_COLORDDB | ILC_MASK, 1, 1));
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap bitmap;
  bitmap.CreateBitmap(16, 15, 1, 32, nullptr);
  CBitmap* old = dc.SelectObject(&bitmap);
  dc.FillSolidRect(0, 0, 16, 15, GetSysColor(COLOR_BTNFACE));
  dc.FillSolidRect(4, 4, 8, 7, colour);
  dc.SelectObject(old);
  ASSERT_GE(images.Add(&bitmap, GetSysColor(COLOR_BTNFACE)), 0);
}

IcoMenu* popupOf(IcoMenu& menu, int position) {
  CMenu* sub = menu.GetSubMenu(position);
  return sub && sub->IsKindOf(RUNTIME_CLASS(IcoMenu)) ? static_cast<IcoMenu*>(sub) : nullptr;
}

using IcoMenuTest = WidgetTest;

TEST_F(IcoMenuTest, TheTemplateBecomesOwnerDrawnPopupsUnderATextMenuBar) {
  IcoMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_CHOICES));
  ASSERT_EQ(menu.GetMenuItemCount(), 2u);
  CString text;
  menu.GetMenuString(0, text, MF_BYPOSITION);
  EXPECT_EQ(text, "Choices") << "top-level items stay text items";
  // (GetMenuState gives a pop-up item's count in its second byte: ask the type.)
  auto ownerDrawn = [](HMENU m, int position) {
    MENUITEMINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    ::GetMenuItemInfo(m, static_cast<UINT>(position), TRUE, &info);
    return (info.fType & MFT_OWNERDRAW) != 0;
  };
  EXPECT_FALSE(ownerDrawn(menu.GetSafeHmenu(), 0));
  EXPECT_FALSE(ownerDrawn(menu.GetSafeHmenu(), 1));
  ASSERT_EQ(menu.GetRecordCount(), 2);
  EXPECT_EQ(menu.GetRecord(0)->nFlags, static_cast<UINT>(MF_POPUP | MF_BYPOSITION));

  IcoMenu* choices = popupOf(menu, 0);
  ASSERT_NE(choices, nullptr);
  EXPECT_TRUE(IcoMenu::IsIcoMenu(choices));
  ASSERT_EQ(choices->GetMenuItemCount(), 6u);
  ASSERT_EQ(choices->GetRecordCount(), 6);
  struct Expected {
    UINT flags;
    UINT_PTR id;
  };
  IcoMenu* more = popupOf(*choices, 3);
  ASSERT_NE(more, nullptr);
  const Expected expected[] = {
      {MF_OWNERDRAW, ID_OPEN},
      {MF_OWNERDRAW, ID_SAVE},
      {MF_SEPARATOR | MF_OWNERDRAW, 0},
      {MF_POPUP | MF_OWNERDRAW, reinterpret_cast<UINT_PTR>(more->GetSafeHmenu())},
      {MF_CHECKED | MF_OWNERDRAW, ID_CHECK},
      {MF_OWNERDRAW, ID_EXIT},
  };
  for (int i = 0; i < 6; ++i) {
    const IcoMenuData* record = choices->GetRecord(i);
    EXPECT_EQ(record->nFlags, expected[i].flags) << i;
    EXPECT_EQ(record->nID, expected[i].id) << i;
    EXPECT_EQ(record->nIconIndex, -1) << i;
    EXPECT_TRUE(ownerDrawn(choices->GetSafeHmenu(), i)) << i;
    MENUITEMINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    ASSERT_TRUE(::GetMenuItemInfo(choices->GetSafeHmenu(), static_cast<UINT>(i), TRUE, &info));
    EXPECT_EQ(info.dwItemData, reinterpret_cast<ULONG_PTR>(record)) << "the record is the item data";
  }
  EXPECT_EQ(choices->GetRecord(3)->GetAnsiString(), "&More");
  ASSERT_EQ(more->GetRecordCount(), 2);
  EXPECT_EQ(more->GetRecord(1)->nFlags, static_cast<UINT>(MF_GRAYED | MF_OWNERDRAW));
  EXPECT_TRUE(menu.GetItemText(ID_BETA, text, MF_BYCOMMAND));
  EXPECT_EQ(text, "Be&ta") << "found in the nested pop-up";
  EXPECT_FALSE(menu.GetItemText(12345, text, MF_BYCOMMAND));
  EXPECT_FALSE(choices->GetItemText(6, text, MF_BYPOSITION));
  int position = -1;
  EXPECT_EQ(menu.FindItem(ID_ALPHA, position), more);
  EXPECT_EQ(position, 0);
  EXPECT_EQ(menu.FindItem(ID_EXIT, position), choices);
  EXPECT_EQ(position, 5);
}

TEST_F(IcoMenuTest, AcceleratorsLineUpBehindTheWidestLabel) {
  IcoMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_CHOICES));
  IcoMenu* choices = popupOf(menu, 0);
  ASSERT_NE(choices, nullptr);
  NONCLIENTMETRICS metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  CFont font;
  font.CreateFontIndirect(&metrics.lfMenuFont);
  CClientDC dc(nullptr);
  CFont* old = dc.SelectObject(&font);
  int widest = 0;
  for (int i = 0; i < choices->GetRecordCount(); ++i) {
    CString text = choices->GetRecord(i)->GetAnsiString();
    const int tab = text.Find('\t');
    CString label = tab >= 0 ? text.Left(tab) : text;
    label.TrimRight();
    widest = std::max(widest, static_cast<int>(dc.GetTextExtent(label + " ").cx));
  }
  for (int i : {0, 5}) {
    const CString text = choices->GetRecord(i)->GetAnsiString();
    const int tab = text.Find('\t');
    ASSERT_GT(tab, 0) << i;
    const CString padded = text.Left(tab);
    EXPECT_GE(dc.GetTextExtent(padded).cx, widest) << padded;
    EXPECT_LT(dc.GetTextExtent(padded.Left(padded.GetLength() - 1)).cx, widest) << "no blank more than needed";
  }
  EXPECT_EQ(choices->GetRecord(0)->GetAnsiString().Mid(choices->GetRecord(0)->GetAnsiString().Find('\t')),
            "\tCtrl+O");
  EXPECT_EQ(choices->GetRecord(1)->GetAnsiString(), "&Save") << "items without a tab keep their text";
  dc.SelectObject(old);
}

TEST_F(IcoMenuTest, PaddingEndsWhenABlankTakesNoRoom) {
  // A menu font so small that a blank measures 0 pixels: no blank can bring
  // a shorter label up to the widest, and the loading still ends.
  NONCLIENTMETRICS metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  metrics.lfMenuFont.lfHeight = -1;
  ASSERT_TRUE(SystemParametersInfo(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  CFont font;
  font.CreateFontIndirect(&metrics.lfMenuFont);
  CClientDC dc(nullptr);
  CFont* old = dc.SelectObject(&font);
  ASSERT_EQ(dc.GetTextExtent(" ").cx, 0);
  dc.SelectObject(old);

  IcoMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_CHOICES));
  IcoMenu* choices = popupOf(menu, 0);
  ASSERT_NE(choices, nullptr);
  EXPECT_EQ(choices->GetRecord(0)->GetAnsiString(), "&Open\tCtrl+O") << "no blank added";
}

TEST_F(IcoMenuTest, TheLookFollowsTheSystemTheThemeAndTheSettings) {
  struct Case {
    DWORD major, minor;
    const char* theme;
    BOOL xpTheme;
    BOOL xpStyle;  // with the settings at their start values
  };
  const Case cases[] = {
      {5, 1, "C:\\WINDOWS\\Resources\\Themes\\Luna.theme", TRUE, TRUE},
      {5, 1, "C:\\WINDOWS\\Resources\\Themes\\Windows Classic.theme", FALSE, FALSE},
      {5, 1, "c:\\themes\\WINDOWS CLASSIC.THEME", FALSE, FALSE},
      {5, 1, nullptr, TRUE, TRUE},
      {5, 0, nullptr, FALSE, FALSE},
      {6, 0, nullptr, FALSE, FALSE},
  };
  for (const Case& c : cases) {
    RegDeleteKey(HKEY_CURRENT_USER, "Software\\Microsoft\\Plus!\\Themes\\Current");
    SetSystemLook(c.major, c.minor, c.theme);
    EXPECT_EQ(IcoMenu::IsXPThemeActive(), c.xpTheme) << c.major << "." << c.minor << " " << (c.theme ? c.theme : "-");
    EXPECT_EQ(IcoMenu::XPStyleInForce(), c.xpStyle) << c.major << "." << c.minor;
    IcoMenu::SetXPStyle(TRUE);
    EXPECT_TRUE(IcoMenu::XPStyleInForce());
    IcoMenu::SetXPStyle(FALSE);
    EXPECT_FALSE(IcoMenu::XPStyleInForce());
  }
  struct Kind {
    DWORD platform, major, minor;
    int kind;
  };
  for (const Kind& k : {Kind{VER_PLATFORM_WIN32s, 3, 1, 0}, Kind{VER_PLATFORM_WIN32_WINDOWS, 4, 0, 2},
                        Kind{VER_PLATFORM_WIN32_WINDOWS, 4, 10, 3}, Kind{VER_PLATFORM_WIN32_WINDOWS, 4, 90, 4},
                        Kind{VER_PLATFORM_WIN32_NT, 4, 0, 5}, Kind{VER_PLATFORM_WIN32_NT, 5, 0, 6},
                        Kind{VER_PLATFORM_WIN32_NT, 5, 1, 7}, Kind{VER_PLATFORM_WIN32_NT, 5, 2, 1},
                        Kind{VER_PLATFORM_WIN32_NT, 6, 0, 1}}) {
    wavorel::OsVersion version;
    version.platformId = k.platform;
    version.major = k.major;
    version.minor = k.minor;
    wavorel::setOsVersion(version);
    IcoMenu::ResetSharedState();
    EXPECT_EQ(IcoMenu::GetSystemKind(), k.kind) << k.platform << " " << k.major << "." << k.minor;
  }
}

TEST_F(IcoMenuTest, AStoredImageIsReplacedInPlaceAndXpStyleAddsDerivedImages) {
  SetSystemLook(5, 1, "Luna.theme");
  IcoMenu::SetXPStyle(FALSE);
  IcoMenu menu;
  CImageList red, blue;
  makeImage(red);
  makeImage(blue, RGB(0, 0, 255));
  IcoMenuImageStore& store = IcoMenuImageStore::Instance();
  EXPECT_EQ(menu.StoreSharedImage(&red, 0, ID_OPEN), 0);
  EXPECT_EQ(store.Count(), 1) << "one entry without the XP style";
  EXPECT_FALSE(IcoMenu::HasDerivedImages(0));
  EXPECT_EQ(menu.StoreSharedImage(&blue, 0, ID_OPEN), 0) << "the same index again";
  EXPECT_EQ(store.Count(), 1);
  EXPECT_EQ(ImageList_GetImageCount(store.Existing()), 1);
  EXPECT_EQ(menu.StoreSharedImage(&red, 5, ID_SAVE), -1) << "no such image";
  EXPECT_EQ(store.Count(), 1);

  IcoMenu::SetXPStyle(TRUE);
  EXPECT_EQ(menu.StoreSharedImage(&red, 0, ID_SAVE), 1);
  EXPECT_EQ(store.Count(), 4) << "normal, faded and shadow";
  EXPECT_TRUE(IcoMenu::HasDerivedImages(1));
  EXPECT_EQ(IcoMenu::SharedImageIndex(ID_SAVE), 1);
  EXPECT_EQ(menu.StoreSharedImage(&blue, 0, ID_SAVE), 1);
  EXPECT_EQ(store.Count(), 4);
  EXPECT_EQ(menu.StoreSharedImage(&red, 0, ID_OPEN), 0) << "stored without the XP style: only the normal image";
  EXPECT_EQ(store.Count(), 4);
  EXPECT_EQ(ImageList_GetImageCount(store.Existing()), 4);

  // The derived images of ID_SAVE: faded (lightened by 0.3) and shadow (the
  // shadow colour, an XP theme being active) where the image is not face.
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap bitmap;
  bitmap.CreateBitmap(16, 15, 1, 32, nullptr);
  CBitmap* old = dc.SelectObject(&bitmap);
  for (int index : {1, 2, 3}) {
    dc.FillSolidRect(0, 0, 16, 15, RGB(255, 255, 255));
    ImageList_Draw(store.Existing(), index, dc.GetSafeHdc(), 0, 0, ILD_TRANSPARENT);
    const COLORREF expected = index == 1   ? RGB(0, 0, 255)
                              : index == 2 ? IcoMenu::Lighten(RGB(0, 0, 255), 0.3)
                                           : GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(dc.GetPixel(7, 7), expected) << index;
    EXPECT_EQ(dc.GetPixel(1, 1), RGB(255, 255, 255)) << "the face is transparent";
  }
  dc.SelectObject(old);
}

TEST_F(IcoMenuTest, AToolbarGivesTheItemsWithItsIdsTheirImages) {
  IcoMenu::SetXPStyle(FALSE);
  IcoMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_CHOICES));
  IcoMenu* choices = popupOf(menu, 0);
  IcoMenu* more = popupOf(*choices, 3);
  EXPECT_TRUE(menu.LoadToolbar(IDR_TOOLBAR));
  EXPECT_EQ(menu.GetIconWidth(), 16);
  EXPECT_EQ(menu.GetIconHeight(), 15);
  const int open = choices->GetRecord(0)->nIconIndex;
  const int save = choices->GetRecord(1)->nIconIndex;
  const int alpha = more->GetRecord(0)->nIconIndex;
  const int exit = choices->GetRecord(5)->nIconIndex;
  EXPECT_GE(open, 0);
  EXPECT_GE(save, 0);
  EXPECT_GE(alpha, 0);
  EXPECT_GE(exit, 0);
  EXPECT_EQ(choices->GetRecord(4)->nIconIndex, -1) << "not on the toolbar";
  EXPECT_EQ(more->GetRecord(1)->nIconIndex, -1);
  // The shared images are the toolbar's: red, green, blue, magenta buttons.
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap bitmap;
  bitmap.CreateBitmap(16, 15, 1, 32, nullptr);
  CBitmap* old = dc.SelectObject(&bitmap);
  struct Probe {
    int index;
    COLORREF face;
  };
  for (const Probe& p : {Probe{open, RGB(255, 0, 0)}, Probe{save, RGB(0, 255, 0)}, Probe{alpha, RGB(0, 0, 255)},
                         Probe{exit, RGB(255, 0, 255)}}) {
    dc.FillSolidRect(0, 0, 16, 15, RGB(1, 1, 1));
    ImageList_Draw(IcoMenuImageStore::Instance().Existing(), p.index, dc.GetSafeHdc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(dc.GetPixel(6, 6), p.face) << p.index;
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(1, 1, 1)) << "the mapped face colour is the mask";
    EXPECT_EQ(dc.GetPixel(2, 5), GetSysColor(COLOR_BTNHIGHLIGHT)) << "white mapped";
  }
  dc.SelectObject(old);

  // A 24-bit toolbar bitmap is refused and a missing toolbar loads nothing.
  IcoMenu other;
  ASSERT_TRUE(other.LoadMenu(IDR_DROPDOWN));
  EXPECT_FALSE(other.LoadToolbar(IDR_TOOLBAR_24));
  EXPECT_FALSE(other.LoadToolbar(9999));
  EXPECT_EQ(popupOf(other, 0)->GetRecord(0)->nIconIndex, IcoMenu::SharedImageIndex(ID_OPEN))
      << "an item appended later takes the image already stored for its id";
}

TEST_F(IcoMenuTest, KeyboardShortcutsAnswerExecuteWithThePosition) {
  IcoMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_CHOICES));
  IcoMenu* choices = popupOf(menu, 0);
  struct Case {
    char key;
    LRESULT answer;
  };
  for (const Case& c : {Case{'s', 0x20001}, Case{'S', 0x20001}, Case{'o', 0x20000}, Case{'x', 0x20005},
                        Case{'m', 0x20003}, Case{'q', 0}})
    EXPECT_EQ(IcoMenu::FindKeyboardShortcut(static_cast<UINT>(c.key), MF_POPUP, choices), c.answer) << c.key;
  EXPECT_EQ(IcoMenu::FindKeyboardShortcut('s', 0, choices), 0) << "not a pop-up";
  CMenu plain;
  plain.CreatePopupMenu();
  plain.AppendMenu(MF_STRING, 1, "&Save");
  EXPECT_EQ(IcoMenu::FindKeyboardShortcut('s', MF_POPUP, &plain), 0) << "not an icon menu";

  // An item added behind the menu's back is taken into the records first.
  choices->AppendMenu(MF_STRING, 4000, "&Zoom");
  EXPECT_EQ(IcoMenu::FindKeyboardShortcut('z', MF_POPUP, choices), 0x20006);
  ASSERT_EQ(choices->GetRecordCount(), 7);
  EXPECT_EQ(choices->GetRecord(6)->nID, 4000u);
  EXPECT_EQ(choices->GetRecord(6)->GetAnsiString(), "&Zoom");
  EXPECT_TRUE(choices->GetMenuState(6, MF_BYPOSITION) & MF_OWNERDRAW);
  EXPECT_EQ(choices->GetRecord(2)->nID, 0u) << "the separator keeps its record";
  // A removed item's record goes.
  choices->RemoveMenu(0, MF_BYPOSITION);
  EXPECT_EQ(IcoMenu::FindKeyboardShortcut('s', MF_POPUP, choices), 0x20000);
  EXPECT_EQ(choices->GetRecordCount(), 6);
}

TEST_F(IcoMenuTest, ModifyItemUpdatesEveryItemWithTheId) {
  IcoMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_CHOICES));
  IcoMenu* choices = popupOf(menu, 0);
  IcoMenu* more = popupOf(*choices, 3);
  more->AppendItem(u"Open &again", 0, ID_OPEN, -1);
  CImageList images;
  makeImage(images);
  EXPECT_TRUE(menu.ModifyItem("&Open file", ID_OPEN, &images, 0));
  EXPECT_EQ(choices->GetRecord(0)->GetAnsiString(), "&Open file");
  EXPECT_EQ(more->GetRecord(2)->GetAnsiString(), "&Open file");
  EXPECT_EQ(choices->GetRecord(0)->nIconIndex, 0);
  EXPECT_EQ(more->GetRecord(2)->nIconIndex, 0);
  std::vector<IcoMenu*> menus{choices};
  std::vector<int> positions{0};
  int position = -1;
  EXPECT_EQ(menu.FindNextItem(ID_OPEN, position, menus, positions), more);
  EXPECT_EQ(position, 2);
  // Without an item, the record is kept but no item changes.
  EXPECT_FALSE(menu.ModifyItem("Nothing", 4444, nullptr, 0));
}

TEST_F(IcoMenuTest, DestroyingForgetsEveryHandle) {
  auto menu = std::make_unique<IcoMenu>();
  ASSERT_TRUE(menu->LoadMenu(IDR_CHOICES));
  IcoMenu* choices = popupOf(*menu, 0);
  const HMENU handles[] = {choices->GetSafeHmenu(), popupOf(*choices, 3)->GetSafeHmenu(),
                           popupOf(*menu, 1)->GetSafeHmenu()};
  for (HMENU h : handles) EXPECT_TRUE(IcoMenu::IsIcoMenu(h));
  EXPECT_TRUE(menu->DestroyMenu());
  for (HMENU h : handles) {
    EXPECT_FALSE(IcoMenu::IsIcoMenu(h));
    EXPECT_FALSE(IsMenu(h));
  }
  EXPECT_EQ(menu->GetRecordCount(), 0);
  EXPECT_EQ(menu->GetSafeHmenu(), nullptr);
  ASSERT_TRUE(menu->LoadMenu(IDR_DROPDOWN));
  const HMENU drop = popupOf(*menu, 0)->GetSafeHmenu();
  menu.reset();  // the destructor destroys the same way
  EXPECT_FALSE(IcoMenu::IsIcoMenu(drop));
  EXPECT_FALSE(IsMenu(drop));
}

TEST_F(IcoMenuTest, MalformedMenusAndToolbarsLoadNothing) {
  AfxSetResourceHandle(brokenModule());
  for (WORD id : {kMissingEnd, kCutText, kOffsetPastEnd}) {
    IcoMenu menu;
    EXPECT_FALSE(menu.LoadMenu(id)) << id;
    EXPECT_EQ(menu.GetSafeHmenu(), nullptr) << id;
  }
  IcoMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_DROPDOWN)) << "the program's menu behind the resource module";
  EXPECT_FALSE(menu.LoadToolbar(kShortToolBar));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(popupOf(menu, 0)->GetRecord(i)->nIconIndex, -1);
  int image = 0;
  EXPECT_FALSE(menu.GetToolbarImageIndex(ID_OPEN, kShortToolBar, image));
  EXPECT_TRUE(menu.GetToolbarImageIndex(ID_EXIT, IDR_TOOLBAR, image));
  EXPECT_EQ(image, 3);
}

TEST_F(IcoMenuTest, ItemSizesOfBothLooks) {
  IcoMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_DROPDOWN));
  IcoMenu* drop = popupOf(menu, 0);
  MEASUREITEMSTRUCT item{};
  item.CtlType = ODT_MENU;
  item.itemData = reinterpret_cast<ULONG_PTR>(drop->GetRecord(1));
  IcoMenuData separator;
  separator.nFlags = MF_SEPARATOR | MF_OWNERDRAW;
  MEASUREITEMSTRUCT line{};
  line.CtlType = ODT_MENU;
  line.itemData = reinterpret_cast<ULONG_PTR>(&separator);
  const int menuHeight = GetSystemMetrics(SM_CYMENU);

  IcoMenu::SetXPStyle(FALSE);
  drop->MeasureItem(&item);
  const UINT classicWidth = item.itemWidth;
  EXPECT_EQ(item.itemHeight, static_cast<UINT>(std::max(menuHeight, 15 + 4)));
  drop->MeasureItem(&line);
  EXPECT_EQ(line.itemWidth, 0u);
  EXPECT_EQ(line.itemHeight, static_cast<UINT>(std::max(menuHeight / 2, (15 + 4) / 2)));

  IcoMenu::SetXPStyle(TRUE);
  drop->MeasureItem(&item);
  EXPECT_EQ(item.itemHeight, static_cast<UINT>(std::max(menuHeight, 15 + 7)));
  // Classic: text + 2 x icon + 1; XP: icon + text + gap + 8.
  EXPECT_EQ(static_cast<int>(item.itemWidth) - static_cast<int>(classicWidth), (16 + 7 + 8) - (2 * 16 + 1));
  drop->MeasureItem(&line);
  EXPECT_EQ(line.itemHeight, static_cast<UINT>(std::max(menuHeight / 2, (15 + 7) / 2)));
}

TEST_F(IcoMenuTest, CheckMarkBulletAndDisabledImageStrokes) {
  Canvas canvas(40, 40);
  const COLORREF ink = RGB(0, 0, 128), white = RGB(255, 255, 255);
  IcoMenu::DrawCheckMark(canvas.dc(), 10, 10, ink);
  const int rows[7] = {2, 3, 4, 3, 2, 1, 0};
  for (int i = 0; i < 7; ++i) {
    for (int y = 8; y < 20; ++y) {
      const bool stroke = y >= 10 + rows[i] && y < 10 + rows[i] + 3;
      EXPECT_EQ(canvas.Pixel(10 + i, y), stroke ? ink : white) << i << "," << y;
    }
  }
  EXPECT_EQ(canvas.Count({0, 0, 40, 40}, ink), 21);

  canvas.Clear(white);
  IcoMenu::DrawRadioBullet(canvas.dc(), 10, 10, ink);
  EXPECT_EQ(canvas.Pixel(12, 12), ink);
  EXPECT_EQ(canvas.Pixel(16, 16), white);
  EXPECT_EQ(canvas.Count({16, 0, 40, 40}, ink), 0);

  // The disabled image: the shape in the shadow colour with a highlight copy
  // one pixel right and down; the rest in the background.
  canvas.Clear(white);
  CBitmap source;
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  source.CreateBitmap(16, 15, 1, 32, nullptr);
  CBitmap* old = dc.SelectObject(&source);
  dc.FillSolidRect(0, 0, 16, 15, GetSysColor(COLOR_BTNFACE));
  dc.FillSolidRect(4, 4, 6, 6, RGB(255, 0, 0));
  dc.SelectObject(old);
  const COLORREF back = RGB(1, 2, 3);
  IcoMenu::DrawDisabledImage(canvas.dc(), 10, 10, 16, 15, source, 0, 0, back);
  EXPECT_EQ(canvas.Pixel(10 + 4, 10 + 4), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(canvas.Pixel(10 + 9, 10 + 9), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(canvas.Pixel(10 + 10, 10 + 10), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(canvas.Pixel(10 + 1, 10 + 1), back);
  EXPECT_EQ(canvas.Pixel(9, 9), white) << "nothing outside the block";
}

TEST_F(IcoMenuTest, ClassicItemsDrawSelectionChecksAndGrayedText) {
  IcoMenu::SetXPStyle(FALSE);
  IcoMenu menu;
  ASSERT_TRUE(menu.LoadMenu(IDR_CHOICES));
  ASSERT_TRUE(menu.LoadToolbar(IDR_TOOLBAR));
  IcoMenu* choices = popupOf(menu, 0);
  Canvas canvas(200, 22);
  auto draw = [&](int position, UINT state) {
    canvas.Clear(RGB(255, 255, 255));
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = choices->GetMenuItemID(position);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = state;
    dis.hwndItem = reinterpret_cast<HWND>(choices->GetSafeHmenu());
    dis.hDC = canvas.dc()->GetSafeHdc();
    dis.rcItem = CRect(0, 0, 200, 22);
    dis.itemData = reinterpret_cast<ULONG_PTR>(choices->GetRecord(position));
    choices->DrawItem(&dis);
  };
  const COLORREF back = GetSysColor(COLOR_MENU), highlight = GetSysColor(COLOR_HIGHLIGHT);
  draw(1, ODS_SELECTED);  // "&Save", with an image
  EXPECT_EQ(canvas.Pixel(16 + 5, 1), highlight) << "the selection starts behind the icon column";
  EXPECT_EQ(canvas.Pixel(16 + 4, 1), RGB(255, 255, 255)) << "the icon column is left as it is";
  EXPECT_EQ(canvas.Pixel(2 + 6, 3 + 6), RGB(0, 255, 0)) << "the image at (L + 2, T + dy + 2)";
  EXPECT_EQ(canvas.Count({16 + 9, 0, 200, 22}, GetSysColor(COLOR_HIGHLIGHTTEXT)) > 0, true);

  draw(1, ODS_SELECTED | ODS_GRAYED);
  EXPECT_EQ(canvas.Count({16 + 9, 0, 200, 22}, back) > 0, true) << "grayed text in the menu colour";
  EXPECT_EQ(canvas.Pixel(2 + 6, 3 + 6), GetSysColor(COLOR_BTNSHADOW)) << "the disabled image";

  draw(1, ODS_GRAYED);
  EXPECT_GT(canvas.Count({16 + 9, 0, 200, 22}, GetSysColor(COLOR_GRAYTEXT)), 0);
  EXPECT_GT(canvas.Count({16 + 10, 1, 200, 22}, GetSysColor(COLOR_BTNHIGHLIGHT)), 0);

  draw(4, ODS_CHECKED);  // "&Check", no image: the classic check box
  EXPECT_EQ(canvas.Pixel(1 + 4, 3 + 2 + 4 + 2), GetSysColor(COLOR_MENUTEXT)) << "the check mark's first stroke";
  MENUITEMINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_CHECKMARKS;
  CBitmap mark;
  mark.CreateBitmap(8, 8, 1, 1, nullptr);
  info.hbmpChecked = mark;
  ::SetMenuItemInfo(choices->GetSafeHmenu(), ID_CHECK, FALSE, &info);
  draw(4, ODS_CHECKED);
  EXPECT_EQ(canvas.Pixel(1 + 5 + 2, 3 + 2 + 4 + 2), GetSysColor(COLOR_MENUTEXT)) << "a radio bullet instead";
  EXPECT_NE(canvas.Pixel(1 + 4, 3 + 2 + 4 + 2), GetSysColor(COLOR_MENUTEXT));

  draw(2, 0);  // the separator: an etched line at half height
  EXPECT_EQ(canvas.Pixel(50, 11), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(canvas.Pixel(50, 12), GetSysColor(COLOR_BTNHIGHLIGHT));
}

}  // namespace
}  // namespace widgets_test
