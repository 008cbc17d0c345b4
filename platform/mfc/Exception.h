// The MFC exceptions. As in MFC they are thrown as pointers to heap objects and
// the handler ends them with Delete():
//   try { ... } catch (CException* e) { e->Delete(); }
// The memory exception is one process-wide object (an out-of-memory state must
// not need memory to report); its Delete() does nothing.
#pragma once

#include "platform/mfc/Object.h"

class CException : public CObject {
  DECLARE_DYNAMIC(CException)

  explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}

  // Frees a heap exception; an exception made with bAutoDelete FALSE stays.
  void Delete();
  // Copies the message, cut to nMaxError - 1 characters and terminated. The
  // base class has no message: "" and FALSE. The help context is always 0.
  virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const;

 protected:
  BOOL m_bAutoDelete;
};

// An exception that only carries its fixed message.
class CSimpleException : public CException {
  DECLARE_DYNAMIC(CSimpleException)

  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;

 protected:
  CSimpleException(LPCTSTR lpszMessage, BOOL bAutoDelete) : CException(bAutoDelete), m_lpszMessage(lpszMessage) {}

 private:
  LPCTSTR m_lpszMessage;
};

class CMemoryException : public CSimpleException {
  DECLARE_DYNAMIC(CMemoryException)
  explicit CMemoryException(BOOL bAutoDelete = TRUE);
};

class CInvalidArgException : public CSimpleException {
  DECLARE_DYNAMIC(CInvalidArgException)
  explicit CInvalidArgException(BOOL bAutoDelete = TRUE);
};

class CResourceException : public CSimpleException {
  DECLARE_DYNAMIC(CResourceException)
  explicit CResourceException(BOOL bAutoDelete = TRUE);
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowResourceException();
