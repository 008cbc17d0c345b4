#include "tests/support/FrontEndRecorder.h"

#include <gtest/gtest.h>

namespace wavorel::testing {

void FrontEndRecorder::openFrontEnd() {
  WNDCLASS wc{};
  wc.lpfnWndProc = &FrontEndRecorder::windowProc;
  wc.lpszClassName = kWindowClass;
  RegisterClass(&wc);  // fails harmlessly when an earlier open registered it
  received_.clear();
  window_ = CreateWindowEx(0, kWindowClass, "ui", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window_, nullptr) << "the front end's window";
  SetWindowLongPtr(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetUINotifyWnd(window_);
}

void FrontEndRecorder::closeFrontEnd() {
  if (!window_) return;
  SetUINotifyWnd(nullptr);
  DestroyWindow(window_);
  window_ = nullptr;
}

std::vector<std::string> FrontEndRecorder::valuesOf(UINT code) const {
  std::vector<std::string> out;
  for (const BridgeValue& v : received_)
    if (v.code == code) out.push_back(v.text);
  return out;
}

std::string FrontEndRecorder::lastOf(UINT code) const {
  const std::vector<std::string> values = valuesOf(code);
  return values.empty() ? std::string("<none>") : values.back();
}

std::string FrontEndRecorder::lastState() const {
  const std::vector<std::string> values = states();
  return values.empty() ? std::string() : values.back();
}

std::vector<std::string> FrontEndRecorder::messages() const {
  std::vector<std::string> out;
  for (const std::string& value : valuesOf(BRIDGE_UI_MESSAGE_BOX)) {
    CString caption, text;
    ParseMessageBoxNotify(value.c_str(), caption, text);
    out.emplace_back(text.GetString());
  }
  return out;
}

LRESULT CALLBACK FrontEndRecorder::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* recorder = reinterpret_cast<FrontEndRecorder*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
  if (message != WM_UIBRIDGE || !recorder) return DefWindowProc(hwnd, message, wParam, lParam);
  return recorder->take(static_cast<UINT>(wParam), TakeNotifyText(wParam, lParam));
}

LRESULT FrontEndRecorder::take(UINT code, const CString& value) {
  received_.push_back({code, value.GetString()});
  if (answer_) return answer_(code, value);
  return code == BRIDGE_UI_MESSAGE_BOX ? IDOK : 0;
}

}  // namespace wavorel::testing
