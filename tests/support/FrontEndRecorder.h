// A stand-in for the front end in tests of the parts that report to it: a
// window registered as the UI bridge's UI window that takes every value sent
// or posted to it, keeps it with its code, and answers it as the fixture
// asks (by default IDOK to a message-box request and 0 to the rest).
//
// A fixture derives from it beside its own base, opens it in SetUp once the
// platform is up and closes it in TearDown before the platform goes. A reset
// of the platform takes the window with it: the fixture opens it again after.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "frontend/UiBridge.h"

namespace wavorel::testing {

class FrontEndRecorder {
 public:
  // One value the front end got: its bridge code and text.
  struct BridgeValue {
    UINT code;
    std::string text;
  };
  // The front end's answer to a value (the result of a sent value).
  using Answer = std::function<LRESULT(UINT code, const CString& value)>;

  // The class of the recorder's window. Its windows act as plain windows to
  // every other message, so a fixture may make the parents of its pages of
  // it too (only the registered window records).
  static constexpr const char* kWindowClass = "FrontEndRecorder";

  FrontEndRecorder() = default;
  FrontEndRecorder(const FrontEndRecorder&) = delete;
  FrontEndRecorder& operator=(const FrontEndRecorder&) = delete;

 protected:
  ~FrontEndRecorder() = default;

  // Makes the window, registers it with the bridge and empties the record
  // (a test fails when the window cannot be made).
  void openFrontEnd();
  // Unregisters the window and destroys it; nothing when it is not open.
  void closeFrontEnd();
  // Answers every value from now on with `answer` (empty: the default).
  void answerWith(Answer answer) { answer_ = std::move(answer); }

  // Every value got, in order.
  std::vector<BridgeValue>& received() { return received_; }
  // The texts of the values of `code`, in order.
  std::vector<std::string> valuesOf(UINT code) const;
  // The last text of `code`, "<none>" when there was none.
  std::string lastOf(UINT code) const;
  // The connection states reported, in order, and the last ("" before any).
  std::vector<std::string> states() const { return valuesOf(BRIDGE_UI_CONNECTION_STATE); }
  std::string lastState() const;
  // The texts of the message boxes asked for (without type and caption).
  std::vector<std::string> messages() const;

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT take(UINT code, const CString& value);

  HWND window_ = nullptr;
  std::vector<BridgeValue> received_;
  Answer answer_;
};

}  // namespace wavorel::testing
