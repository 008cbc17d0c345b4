#include "platform/mfc/GdiObject.h"

#include <memory>
#include <unordered_map>

IMPLEMENT_DYNCREATE(CGdiObject, CObject)

namespace {

// Per thread, as the class library's handle maps are.
thread_local std::unordered_map<HGDIOBJ, CGdiObject*> t_attached;
// Temporary wrappers own nothing: their handles are cleared before they go.
struct TemporaryMap : std::unordered_map<HGDIOBJ, std::unique_ptr<CGdiObject>> {
  TemporaryMap() = default;
  TemporaryMap(TemporaryMap&&) = default;
  ~TemporaryMap() {
    for (auto& kv : *this) kv.second->m_hObject = nullptr;
  }
};
thread_local TemporaryMap t_temporary;

}  // namespace

CGdiObject::~CGdiObject() { DeleteObject(); }

CGdiObject* CGdiObject::FromHandle(HGDIOBJ handle) { return fromHandleAs<CGdiObject>(handle); }

CGdiObject* CGdiObject::attached(HGDIOBJ handle) {
  auto it = t_attached.find(handle);
  return it == t_attached.end() ? nullptr : it->second;
}

CGdiObject* CGdiObject::temporary(HGDIOBJ handle) {
  auto it = t_temporary.find(handle);
  return it == t_temporary.end() ? nullptr : it->second.get();
}

void CGdiObject::keepTemporary(HGDIOBJ handle, CGdiObject* object) {
  std::unique_ptr<CGdiObject> owned(object);
  auto& slot = t_temporary[handle];
  if (slot) slot->m_hObject = nullptr;  // a wrapper of another type goes
  slot = std::move(owned);
}

void CGdiObject::DeleteTempMap() {
  TemporaryMap temps = std::move(t_temporary);
  t_temporary.clear();
}

BOOL CGdiObject::Attach(HGDIOBJ handle) {
  if (!handle || m_hObject) return FALSE;
  m_hObject = handle;
  t_attached[handle] = this;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ handle = m_hObject;
  if (handle) {
    auto it = t_attached.find(handle);
    if (it != t_attached.end() && it->second == this) t_attached.erase(it);
  }
  m_hObject = nullptr;
  return handle;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  return ::DeleteObject(Detach());
}

BOOL CGdiObject::CreateStockObject(int index) { return Attach(::GetStockObject(index)); }

int CGdiObject::GetObject(int count, LPVOID buffer) const { return ::GetObject(m_hObject, count, buffer); }

UINT CGdiObject::GetObjectType() const { return ::GetObjectType(m_hObject); }
