// The account the programs run under: an administrator by default, or a
// standard user (who cannot write HKEY_LOCAL_MACHINE and whose token is not in
// the Administrators group). Tests switch it.
#pragma once

namespace wavorel {

bool runningAsAdministrator();
void setRunningAsAdministrator(bool admin);

}  // namespace wavorel
