#include "frontend/SkinFunctions.h"

#include "frontend/UiBridge.h"
#include "utilmere/Utilmere.h"

namespace {

// The Song typeface's face name in GBK and in Big5.
const char kSongGbk[] = "\xCB\xCE\xCC\xE5";
const char kSongBig5[] = "\xA7\xBA\xC5\xE9";

// The translation of a tooltip key; "" for none.
CString translated(const char* key) { return key != nullptr && *key != '\0' ? GetMLText(key) : CString(); }

bool exists(CWnd* window) { return window != nullptr && ::IsWindow(window->GetSafeHwnd()); }

// The skin file in the program folder's "Skin" folder, or `path` when given.
CString stripPath(const char* path, const char* defaultFormat, const char* suffix) {
  if (path != nullptr && *path != '\0') return path;
  return FormatString(defaultFormat, GetCurDir(), suffix);
}

void setRadioCursors(CGxBtn_ChkRadio* button) {
  button->SetBtn_Cursor(0, FormatString("%sSkin\\RadioCheck.cur", GetCurDir()));
  button->SetBtn_Cursor(2, FormatString("%sSkin\\RadioUnCheck.cur", GetCurDir()));
}

void skinChoiceButton(CGxBtn_ChkRadio* button, const char* tooltip, const char* strip) {
  setRadioCursors(button);
  button->SetBtnAttr_Pic(FormatString(strip, GetCurDir()), 6, translated(tooltip), 1);
  button->SetBtn_TextColor(0, 0x000000);
  button->SetBtn_TextColor(1, 0x404040);
  button->SetBtn_TextColor(2, 0x200000);
  button->SetBtn_TextColor(3, 0x604040);
  button->SetBtn_Font(-1, 9, 0, 0, 0, GetSkinFontName());
  button->SetBKPicMode(BKPIC_LEFT);
  button->SetTextFormat(DT_VCENTER | DT_SINGLELINE);
  button->SetBtn_VisitedColor(GX_COLOR_NONE);
}

void plainText(CWnd* wnd, CWndCommonAttr* attr, long height) {
  if (!exists(wnd) || attr == nullptr) return;
  attr->SetTextColor(0x000000);
  attr->SetTextFont(height, GetSkinFontName(), 0, 0, 0, 0);
}

}  // namespace

CString GetSkinFontName() {
  const CString language = GetCurLanguageType();
  if (language == "SimpChinese") return kSongGbk;
  if (language == "TradChinese") return kSongBig5;
  return "Times New Roman";
}

CString GetArrayItemUnquoted(CStringArray* array, int index) {
  if (array == nullptr || index < 0 || index >= static_cast<int>(array->GetSize())) return CString();
  CString item = array->GetAt(index);
  item.Trim('"');
  return item;
}

void SetWindowTextIfChanged(CWnd* window, const CString& text) {
  if (!exists(window)) return;
  CString current;
  window->GetWindowText(current);
  if (current.Compare(text) != 0) window->SetWindowText(text);
}

void FitListIntoFrame(CListCtrl* list, CWnd* frame) {
  if (!exists(list) || !exists(frame)) return;
  ::SetParent(list->GetSafeHwnd(), frame->GetSafeHwnd());
  CRect frameRect;
  frame->GetClientRect(&frameRect);
  CRect headerRect;
  if (CHeaderCtrl* header = list->GetHeaderCtrl(); header != nullptr && exists(header))
    header->GetClientRect(&headerRect);
  CRect target(-2, -headerRect.Height() - 2, frameRect.Width(), frameRect.Height() + 20);
  list->MoveWindow(&target, TRUE);
}

void SelectComboItem(CComboBox* combo, int index) { SetComboCurSelSafe(combo, index); }

void SkinCommonButton(CGxBtn_Pic* button, int little, const char* tooltip, const char* path) {
  button->SetBtnAttr_Pic(stripPath(path, "%sSkin\\CommonButton%s.bmp", little ? "_Little" : ""), 4, translated(tooltip),
                         1);
  button->SetBKPicMode(BKPIC_CENTER);
  button->Enable_AutoSetAttr(0);
  button->SetBtn_TextColor(0, 0xFFFFFF);
  button->SetBtn_TextColor(1, 0xC8C8C8);
  button->SetBtn_TextColor(2, 0xFF0000);
  button->SetBtn_Font(-1, little ? 10 : 11, 0, 0, 0, GetSkinFontName());
}

void SkinLinkButton(CGxBtn_Pub* button, const char* tooltip, COLORREF colour, UINT format) {
  if (tooltip != nullptr && *tooltip != '\0') button->SetToolTipText(translated(tooltip), 1);
  button->SetBtn_Font(-1, 10, 0, 0, 0, GetSkinFontName());
  button->SetBtn_TextColor(0, colour);
  button->SetBtn_TextColor(1, 0xFF0000);
  button->SetBtn_TextColor(2, 0x0000FF);
  button->SetTextFormat(format | DT_VCENTER | DT_SINGLELINE);
  button->SetBtn_VisitedColor(GX_COLOR_NONE);
}

void SkinTabLabelButton(CGxBtn_ChkRadio* button, int little, const char* tooltip, const char* path) {
  setRadioCursors(button);
  button->SetBtnAttr_Pic(stripPath(path, "%sSkin\\TabCtrlLable%s.bmp", little ? "_Little" : ""), 6, translated(tooltip),
                         1);
  button->SetBtn_TextColor(0, 0xFFFFFF);
  button->SetBtn_TextColor(1, 0xF0F0F0);
  button->SetBtn_TextColor(2, 0x000000);
  button->SetBtn_TextColor(3, 0xA00000);
  button->SetBtn_Font(-1, little ? 9 : 12, 1, 0, 0, GetSkinFontName());
  button->SetBKPicMode(BKPIC_CENTER);
  button->SetTextFormat(DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void SkinRadioButton(CGxBtn_ChkRadio* button, const char* tooltip) {
  skinChoiceButton(button, tooltip, "%sSkin\\BtnRadio_Default.bmp");
}

void SkinCheckButton(CGxBtn_ChkRadio* button, const char* tooltip) {
  skinChoiceButton(button, tooltip, "%sSkin\\btnCheck_Default.bmp");
}

void SkinCommonEdit(CGxEdit* edit) {
  if (!exists(edit)) return;
  edit->SetTextColor(0x000000);
  edit->SetTextFont(10, GetSkinFontName(), 0, 0, 0, 0);
  edit->SetBkColorFocus(0x2FABE7);
  edit->SetTextColorFocus(0xFFFFFF);
  edit->SetOwnDrawEdge(1);
}

namespace skinfunctions {

void LabelValuePair(CWnd* labelWnd, CWndCommonAttr* label, CWnd* valueWnd, CWndCommonAttr* value, long labelHeight,
                    int labelBold, long valueHeight, int valueBold) {
  if (!exists(labelWnd) || !exists(valueWnd) || label == nullptr || value == nullptr) return;
  label->SetTextColor(0x000000);
  value->SetTextColor(0x000000);
  label->SetTextFont(labelHeight, GetSkinFontName(), labelBold, 0, 0, 0);
  value->SetTextFont(valueHeight, GetSkinFontName(), valueBold, 0, 0, 0);
  value->SetTransparent(1);
}

void DialogText(CWnd* wnd, CWndCommonAttr* attr, long height, int bold) {
  if (!exists(wnd) || attr == nullptr) return;
  attr->SetTextColor(0x000000);
  attr->SetTextFont(height, GetSkinFontName(), bold, 0, 0, 0);
  attr->SetTransparent(1);
}

void PageTitle(CWnd* wnd, CWndCommonAttr* attr) {
  if (!exists(wnd) || attr == nullptr) return;
  attr->SetTextColor(0xFFFFFF);
  attr->SetTextFont(12, GetSkinFontName(), 1, 1, 0, 0);
}

void DialogTitle(CWnd* wnd, CWndCommonAttr* attr) {
  if (!exists(wnd) || attr == nullptr) return;
  attr->SetTextColor(0xFFFFFF);
  attr->SetTextFont(12, GetSkinFontName(), 1, 0, 0, 0);
}

void StaticOnColor(CWnd* wnd, CWndCommonAttr* attr, COLORREF background) {
  if (!exists(wnd) || attr == nullptr) return;
  attr->SetTextFont(9, GetSkinFontName(), 0, 0, 0, 0);
  attr->SetTextColor(0x000000);
  attr->SetBkColorGx(background);
}

void MainText(CWnd* wnd, CWndCommonAttr* attr) { plainText(wnd, attr, 10); }

void PageText(CWnd* wnd, CWndCommonAttr* attr) {
  if (!exists(wnd) || attr == nullptr) return;
  attr->SetTextFont(10, GetSkinFontName(), 0, 0, 0, 0);
  attr->SetTextColor(0x000000);
}

void SmallText(CWnd* wnd, CWndCommonAttr* attr) {
  if (!exists(wnd) || attr == nullptr) return;
  attr->SetTextFont(9, GetSkinFontName(), 0, 0, 0, 0);
  attr->SetTextColor(0x000000);
}

}  // namespace skinfunctions
