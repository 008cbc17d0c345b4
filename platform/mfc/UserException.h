// CUserException: thrown to stop an operation the user was already told about
// (a failed dialog data exchange ends UpdateData with FALSE this way).
#pragma once

#include "platform/mfc/Exception.h"

class CUserException : public CSimpleException {
  DECLARE_DYNAMIC(CUserException)

 public:
  explicit CUserException(BOOL bAutoDelete = TRUE);
};

[[noreturn]] void AfxThrowUserException();
