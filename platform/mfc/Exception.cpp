#include "platform/mfc/Exception.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)

void CException::Delete() {
  if (m_bAutoDelete) delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const {
  if (pnHelpContext) *pnHelpContext = 0;
  if (lpszError && nMaxError > 0) lpszError[0] = '\0';
  return FALSE;
}

BOOL CSimpleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const {
  if (pnHelpContext) *pnHelpContext = 0;
  if (!lpszError || nMaxError == 0) return FALSE;
  size_t n = std::min<size_t>(std::strlen(m_lpszMessage), nMaxError - 1);
  std::memcpy(lpszError, m_lpszMessage, n);
  lpszError[n] = '\0';
  return TRUE;
}

CMemoryException::CMemoryException(BOOL bAutoDelete) : CSimpleException("Out of memory.", bAutoDelete) {}

CInvalidArgException::CInvalidArgException(BOOL bAutoDelete)
    : CSimpleException("Encountered an improper argument.", bAutoDelete) {}

CResourceException::CResourceException(BOOL bAutoDelete)
    : CSimpleException("A required resource was unavailable.", bAutoDelete) {}

void AfxThrowMemoryException() {
  static CMemoryException memoryException(FALSE);
  throw &memoryException;
}

void AfxThrowInvalidArgException() { throw new CInvalidArgException; }

void AfxThrowResourceException() { throw new CResourceException; }
