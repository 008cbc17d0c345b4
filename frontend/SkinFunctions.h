// The front end's look: free functions that give a skinned control (button,
// edit or static of Skinvane) one fixed appearance (strip, frames, colours per
// state, font face and size, text format, cursors), plus three small helpers
// the same pages use (a flicker-free text setter, a list fitted into a frame
// and a range-checked combo selection).
//
// Skin files are looked up in the "Skin" folder of the program folder. Text
// functions do nothing when the control has no window; the button functions
// expect subclassed buttons.
#pragma once

#include "platform/Platform.h"
#include "skinvane/Skinvane.h"

// The font face of the current language: the Song typeface in GBK for
// "SimpChinese", in Big5 for "TradChinese", else "Times New Roman".
CString GetSkinFontName();

// The element without its leading and trailing double quotes; "" for an index
// outside the array (or a null array).
CString GetArrayItemUnquoted(CStringArray* array, int index);

// Sets the text only when it differs (case-sensitive) from the window's text.
void SetWindowTextIfChanged(CWnd* window, const CString& text);

// A report list re-parented into a frame and moved so that its header and the
// room of a horizontal scroll bar lie outside the frame.
void FitListIntoFrame(CListCtrl* list, CWnd* frame);

// Selects the item only for 0 <= index < the item count.
void SelectComboItem(CComboBox* combo, int index);

// Buttons (strip, frame count, state colours, fonts). An empty or null path
// takes the default strip; the tooltip is a Lingwell key.
void SkinCommonButton(CGxBtn_Pic* button, int little, const char* tooltip, const char* path);
void SkinLinkButton(CGxBtn_Pub* button, const char* tooltip, COLORREF colour, UINT format);
void SkinTabLabelButton(CGxBtn_ChkRadio* button, int little, const char* tooltip, const char* path);
void SkinRadioButton(CGxBtn_ChkRadio* button, const char* tooltip);
void SkinCheckButton(CGxBtn_ChkRadio* button, const char* tooltip);

void SkinCommonEdit(CGxEdit* edit);

// The text looks take any control that is both a CWnd and a CWndCommonAttr
// (CGxStatic, CGxEdit).
namespace skinfunctions {
void LabelValuePair(CWnd* labelWnd, CWndCommonAttr* label, CWnd* valueWnd, CWndCommonAttr* value, long labelHeight,
                    int labelBold, long valueHeight, int valueBold);
void DialogText(CWnd* wnd, CWndCommonAttr* attr, long height, int bold);
void PageTitle(CWnd* wnd, CWndCommonAttr* attr);
void DialogTitle(CWnd* wnd, CWndCommonAttr* attr);
void StaticOnColor(CWnd* wnd, CWndCommonAttr* attr, COLORREF background);
void MainText(CWnd* wnd, CWndCommonAttr* attr);
void PageText(CWnd* wnd, CWndCommonAttr* attr);
void SmallText(CWnd* wnd, CWndCommonAttr* attr);
}  // namespace skinfunctions

template <class Label, class Value>
void SkinLabelValuePair(Label* label, Value* value, long labelHeight, int labelBold, long valueHeight, int valueBold) {
  skinfunctions::LabelValuePair(label, label, value, value, labelHeight, labelBold, valueHeight, valueBold);
}
template <class Control>
void SkinDialogText(Control* control, long height, int bold) {
  skinfunctions::DialogText(control, control, height, bold);
}
template <class Control>
void SkinPageTitle(Control* control) {
  skinfunctions::PageTitle(control, control);
}
template <class Control>
void SkinDialogTitle(Control* control) {
  skinfunctions::DialogTitle(control, control);
}
template <class Control>
void SkinStaticOnColor(Control* control, COLORREF background) {
  skinfunctions::StaticOnColor(control, control, background);
}
template <class Control>
void SkinMainText(Control* control) {
  skinfunctions::MainText(control, control);
}
template <class Control>
void SkinPageText(Control* control) {
  skinfunctions::PageText(control, control);
}
template <class Control>
void SkinSmallText(Control* control) {
  skinfunctions::SmallText(control, control);
}
