// The local registry service of the machine: it listens on one "ncalrpc"
// endpoint and carries out, with a service's rights, the registry writes its
// clients send (procedure 3 sets a value under a key path of
// HKEY_LOCAL_MACHINE, procedure 4 creates a key). It listens as the world's
// [Services] section says, unless a test says otherwise (until the next
// platform reset). Every call that reaches it is recorded, so tests can tell
// which procedures a client used.
#pragma once

#include <string>
#include <vector>

#include "platform/win/services/Rpc.h"

namespace wavorel::sim {

constexpr const char* kRegistryServiceEndpoint = "//.//NeroltRegistry_AP";

void setRegistryServiceListening(bool listening);
bool registryServiceListening();

// A call of `procedure` reaching the service: the registry result (or
// RPC_S_PROCNUM_OUT_OF_RANGE for a procedure it does not serve,
// RPC_X_BAD_STUB_DATA for arguments that do not fit the procedure).
LONG callRegistryService(unsigned procedure, const std::vector<RpcArgument>& args);

// A call that reached the service: its procedure number and arguments.
struct RegistryServiceCall {
  unsigned procedure = 0;
  std::vector<RpcArgument> args;
};
// The calls since the last platform reset or clear, in the order they came.
std::vector<RegistryServiceCall> registryServiceCalls();
void clearRegistryServiceCalls();

}  // namespace wavorel::sim
