// Local RPC: string bindings to an "ncalrpc" endpoint of a service of the
// simulated machine, the management probe, and client calls by procedure
// number (the caller's stub hands NdrClientCall2 the procedure number and its
// arguments). The one server here is the registry service; whether it listens
// is a switch of the machine.
#pragma once

#include <string>
#include <vector>

#include "platform/win/kernel/Types.h"

typedef LONG RPC_STATUS;
typedef void* RPC_BINDING_HANDLE;
typedef unsigned char* RPC_CSTR;

#define RPC_S_OK 0L
#define RPC_S_INVALID_STRING_BINDING 1700L
#define RPC_S_INVALID_BINDING 1702L
#define RPC_S_PROTSEQ_NOT_SUPPORTED 1703L
#define RPC_S_SERVER_UNAVAILABLE 1722L
#define RPC_S_PROCNUM_OUT_OF_RANGE 1745L
#define RPC_S_NOT_LISTENING 1715L
#define RPC_S_UNKNOWN_AUTHN_SERVICE 1747L
#define RPC_X_BAD_STUB_DATA 1783L

#define RPC_C_AUTHN_LEVEL_DEFAULT 0
#define RPC_C_AUTHN_LEVEL_NONE 1
#define RPC_C_AUTHN_LEVEL_CONNECT 2
#define RPC_C_AUTHN_LEVEL_PKT_PRIVACY 6
#define RPC_C_AUTHN_WINNT 10
#define RPC_C_IMP_LEVEL_IMPERSONATE 3

// "[uuid@]protseq:[address][endpoint,options]" (the parts that are given).
RPC_STATUS RpcStringBindingCompose(RPC_CSTR ObjUuid, RPC_CSTR ProtSeq, RPC_CSTR NetworkAddr, RPC_CSTR Endpoint,
                                   RPC_CSTR Options, RPC_CSTR* StringBinding);
RPC_STATUS RpcStringFree(RPC_CSTR* String);
// Only "ncalrpc" is supported; the endpoint is what the server listens on.
RPC_STATUS RpcBindingFromStringBinding(RPC_CSTR StringBinding, RPC_BINDING_HANDLE* Binding);
RPC_STATUS RpcBindingSetAuthInfo(RPC_BINDING_HANDLE Binding, RPC_CSTR ServerPrincName, ULONG AuthnLevel,
                                 ULONG AuthnSvc, void* AuthIdentity, ULONG AuthzSvc);
RPC_STATUS RpcBindingFree(RPC_BINDING_HANDLE* Binding);
// RPC_S_OK when the server of the binding's endpoint listens, else RPC_S_NOT_LISTENING.
RPC_STATUS RpcMgmtIsServerListening(RPC_BINDING_HANDLE Binding);

namespace wavorel {

// One argument of a remote call, as the caller's stub passes it.
struct RpcArgument {
  std::string text;    // a zero-terminated string (without its terminator)
  ULONG number = 0;    // an unsigned 32-bit value
  bool isText = false;
  static RpcArgument ofText(const char* s) { return {s ? s : "", 0, true}; }
  static RpcArgument ofNumber(ULONG n) { return {"", n, false}; }
};

}  // namespace wavorel

// A call of procedure `procNum` of the interface behind `Binding` (the
// generated client stubs' run-time entry). Returns the server's status, or an
// RPC_S_* code when the call did not reach it.
LONG NdrClientCall2(RPC_BINDING_HANDLE Binding, unsigned procNum, const std::vector<wavorel::RpcArgument>& args);
