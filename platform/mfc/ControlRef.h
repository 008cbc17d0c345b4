// A control of a dialog seen through a class of its own (CComboBox, CButton,
// ...) without taking it over: the object wraps the control's handle for its
// lifetime and leaves the window alone. GetDlgItem hands out a plain CWnd
// for a control no object owns, which is no CComboBox to cast to.
#pragma once

#include "platform/Platform.h"

template <class T>
class ControlRef {
 public:
  ControlRef(CWnd* parent, int id) {
    control_.m_hWnd = parent && parent->GetSafeHwnd() ? ::GetDlgItem(parent->GetSafeHwnd(), id) : nullptr;
  }
  ControlRef(const ControlRef&) = delete;
  ControlRef& operator=(const ControlRef&) = delete;
  ~ControlRef() { control_.m_hWnd = nullptr; }
  // The wrapped control, nullptr when the dialog has no such item.
  T* get() { return control_.m_hWnd ? &control_ : nullptr; }

 private:
  T control_;
};
