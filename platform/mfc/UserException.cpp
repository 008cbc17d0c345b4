#include "platform/mfc/UserException.h"

IMPLEMENT_DYNAMIC(CUserException, CSimpleException)

CUserException::CUserException(BOOL bAutoDelete) : CSimpleException("", bAutoDelete) {}

void AfxThrowUserException() { throw new CUserException; }
