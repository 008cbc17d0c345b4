// CGdiObject: the base of the GDI object wrappers (CBitmap, CBrush, CPen,
// CRgn, CPalette and the text layer's CFont). It owns its handle: the
// destructor and DeleteObject delete it, Detach gives it up.
//
// FromHandle gives the object attached to a handle, or else a temporary
// wrapper that lives until DeleteTempMap (the message loop's idle time);
// temporary wrappers never delete their handle.
#pragma once

#include "platform/mfc/Object.h"
#include "platform/win/gdi/Gdi.h"

class CGdiObject : public CObject {
  DECLARE_DYNCREATE(CGdiObject)

 public:
  CGdiObject() = default;
  ~CGdiObject() override;
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  HGDIOBJ m_hObject = nullptr;

  operator HGDIOBJ() const { return m_hObject; }  // NOLINT: implicit as in MFC
  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  static CGdiObject* FromHandle(HGDIOBJ handle);
  static void DeleteTempMap();

  BOOL Attach(HGDIOBJ handle);
  HGDIOBJ Detach();
  BOOL DeleteObject();
  BOOL CreateStockObject(int index);
  int GetObject(int count, LPVOID buffer) const;
  UINT GetObjectType() const;
  BOOL operator==(const CGdiObject& other) const { return m_hObject == other.m_hObject; }
  BOOL operator!=(const CGdiObject& other) const { return m_hObject != other.m_hObject; }

 protected:
  // The wrapper of type T for a handle (see FromHandle).
  template <class T>
  static T* fromHandleAs(HGDIOBJ handle);
  static CGdiObject* attached(HGDIOBJ handle);
  static CGdiObject* temporary(HGDIOBJ handle);
  static void keepTemporary(HGDIOBJ handle, CGdiObject* object);
};

template <class T>
T* CGdiObject::fromHandleAs(HGDIOBJ handle) {
  if (!handle) return nullptr;
  if (CGdiObject* object = attached(handle)) return static_cast<T*>(object);
  if (auto* object = dynamic_cast<T*>(temporary(handle))) return object;
  T* object = new T;  // owned by the temporary map
  object->m_hObject = handle;
  keepTemporary(handle, object);
  return object;
}
