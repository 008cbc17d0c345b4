#include "platform/mfc/ToolBar.h"

#include "platform/mfc/SysColorBitmap.h"
#include "platform/mfc/WinApp.h"
#include "platform/win/gdi/Gdi.h"
#include "platform/win/kernel/Resources.h"
#include "platform/wire/Bytes.h"

IMPLEMENT_DYNAMIC(CToolBar, CWnd)

namespace {

// The room a button gives around its image.
constexpr int kButtonMargin = 7;
constexpr DWORD kHeaderBytes = 8;

}  // namespace

CToolBar::~CToolBar() {
  if (m_hBitmap) DeleteObject(m_hBitmap);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  HWND parent = pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
  return CreateEx(0, nullptr, "", dwStyle, 0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
}

BOOL CToolBar::LoadToolBar(LPCTSTR lpszResourceName) {
  HINSTANCE module = AfxFindResourceHandle(lpszResourceName, RT_TOOLBAR);
  HRSRC found = FindResource(module, lpszResourceName, RT_TOOLBAR);
  if (!found) return FALSE;
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  const DWORD size = SizeofResource(module, found);
  if (!data || size < kHeaderBytes) return FALSE;
  const WORD width = wavorel::wire::getU16(data + 2);
  const WORD height = wavorel::wire::getU16(data + 4);
  const WORD count = wavorel::wire::getU16(data + 6);
  if (kHeaderBytes + 2u * count > size) return FALSE;
  std::vector<UINT> ids(count);
  for (WORD i = 0; i < count; ++i) ids[i] = wavorel::wire::getU16(data + kHeaderBytes + 2u * i);
  if (!SetButtons(ids.data(), count)) return FALSE;
  SetSizes(CSize(width + kButtonMargin, height + kButtonMargin), CSize(width, height));
  return LoadBitmap(lpszResourceName);
}

BOOL CToolBar::LoadBitmap(LPCTSTR lpszResourceName) {
  HINSTANCE module = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
  HRSRC found = FindResource(module, lpszResourceName, RT_BITMAP);
  if (!found) return FALSE;
  HBITMAP bitmap = AfxLoadSysColorBitmap(module, found);
  if (!bitmap) return FALSE;
  if (m_hBitmap) DeleteObject(m_hBitmap);
  m_hBitmap = bitmap;
  return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount) {
  if (nIDCount < 0) return FALSE;
  m_buttons.clear();
  int image = 0;
  for (int i = 0; i < nIDCount; ++i) {
    const UINT id = lpIDArray ? lpIDArray[i] : ID_SEPARATOR;
    if (id == ID_SEPARATOR)
      m_buttons.push_back({id, TBBS_SEPARATOR, kSeparatorWidth});
    else
      m_buttons.push_back({id, TBBS_BUTTON, image++});
  }
  return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
  m_sizeButton = sizeButton;
  m_sizeImage = sizeImage;
}

int CToolBar::CommandToIndex(UINT nIDFind) const {
  for (size_t i = 0; i < m_buttons.size(); ++i)
    if (m_buttons[i].id == nIDFind) return static_cast<int>(i);
  return -1;
}

UINT CToolBar::GetItemID(int nIndex) const {
  return nIndex >= 0 && nIndex < GetCount() ? m_buttons[static_cast<size_t>(nIndex)].id : ID_SEPARATOR;
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const {
  if (nIndex < 0 || nIndex >= GetCount()) {
    nID = ID_SEPARATOR;
    nStyle = TBBS_SEPARATOR;
    iImage = 0;
    return;
  }
  const Button& button = m_buttons[static_cast<size_t>(nIndex)];
  nID = button.id;
  nStyle = button.style;
  iImage = button.image;
}
