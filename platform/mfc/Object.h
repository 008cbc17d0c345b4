// CObject, the root of the MFC classes, with run-time class information:
// RUNTIME_CLASS, IsKindOf and creation by class (DECLARE_DYNCREATE), and the
// MFC diagnostic macros.
#pragma once

#include <cassert>

#include "platform/win/kernel/Types.h"

class CObject;

// One per class that declares it: name, size, base class and, for classes
// created at run time, the function that creates one.
struct CRuntimeClass {
  LPCSTR m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;                     // 0xFFFF: the class is not serialised
  CObject* (*m_pfnCreateObject)();    // null unless DECLARE_DYNCREATE
  const CRuntimeClass* m_pBaseClass;  // null for CObject

  // A new object of the class (the caller owns it), or null when the class
  // cannot be created at run time.
  CObject* CreateObject() const;
  // True when this class is pBaseClass or derives from it.
  BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

class CObject {
 public:
  static const CRuntimeClass classCObject;
  virtual CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject() = default;

  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;

  BOOL IsKindOf(const CRuntimeClass* pClass) const;

 protected:
  CObject() = default;
};

#define RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))

#define DECLARE_DYNAMIC(class_name)                 \
 public:                                            \
  static const CRuntimeClass class##class_name;     \
  CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* CreateObject();

#define WAVOREL_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, pfnNew)                       \
  const CRuntimeClass class_name::class##class_name = {#class_name, static_cast<int>(sizeof(class_name)), \
                                                       0xFFFF, pfnNew, RUNTIME_CLASS(base_class_name)};   \
  CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  WAVOREL_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)             \
  CObject* class_name::CreateObject() { return new class_name; }     \
  WAVOREL_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, class_name::CreateObject)

// Diagnostics. As in a release build of MFC, TRACE writes nothing; ASSERT
// checks only where assert() does, VERIFY always evaluates its expression.
#ifdef NDEBUG
#define ASSERT(f) (static_cast<void>(sizeof(!(f))))
#define VERIFY(f) (static_cast<void>(f))
#else
#define ASSERT(f) assert(f)
#define VERIFY(f) assert(f)
#endif
#define TRACE(...) (static_cast<void>(0))
