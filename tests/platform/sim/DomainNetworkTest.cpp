// The machine's domain controller locator, its NETLOGON share as network
// paths see it, Winsock's IPX sockets, and the world keys behind them and
// behind the 802.1X servers.
#include "SimTest.h"
#include "platform/win/services/NetApi.h"
#include "platform/win/services/Winsock.h"

namespace wavorel::sim::testing {
namespace {

class DomainNetworkTest : public SimTest {
 protected:
  void useExtra(const std::string& extra) { useWorld(std::string(defaultWorldText()) + extra); }
  DWORD openError(const std::string& path) {
    HANDLE h = CreateFile(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE);
    return GetLastError();
  }
};

TEST_F(DomainNetworkTest, TheControllerIsFoundAndItsShareAnswersOnlyWhenReachable) {
  useExtra("[Domain]\nName = CORP\nController = DC01\n");
  PDOMAIN_CONTROLLER_INFOA info = nullptr;
  ASSERT_EQ(DsGetDcNameA(nullptr, "corp", nullptr, nullptr, DS_FORCE_REDISCOVERY | DS_RETURN_FLAT_NAME, &info),
            ERROR_SUCCESS);
  ASSERT_NE(info, nullptr);
  EXPECT_STREQ(info->DomainControllerName, "\\\\DC01");
  EXPECT_STREQ(info->DomainName, "CORP");
  EXPECT_EQ(openError(std::string(info->DomainControllerName) + "\\NETLOGON\\NonExist"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(NetApiBufferFree(info), NERR_Success);
  EXPECT_EQ(NetApiBufferFree(info), ERROR_INVALID_PARAMETER);  // freed already
  EXPECT_EQ(openError("\\\\OTHER\\NETLOGON\\NonExist"), ERROR_BAD_NETPATH);
  EXPECT_EQ(DsGetDcNameA(nullptr, "ELSEWHERE", nullptr, nullptr, 0, &info), ERROR_NO_SUCH_DOMAIN);
  EXPECT_EQ(info, nullptr);

  useExtra("[Domain]\nName = CORP\nController = DC01\nReachable = no\n");
  ASSERT_EQ(DsGetDcNameA(nullptr, "CORP", nullptr, nullptr, 0, &info), ERROR_SUCCESS);
  EXPECT_EQ(openError("\\\\DC01\\NETLOGON\\NonExist"), ERROR_BAD_NETPATH);
  NetApiBufferFree(info);

  useWorld(std::string(defaultWorldText()));
  EXPECT_EQ(DsGetDcNameA(nullptr, "CORP", nullptr, nullptr, 0, &info), ERROR_NO_SUCH_DOMAIN);
}

TEST_F(DomainNetworkTest, AnIpxSocketOpensOnlyWhereIpxIsInstalled) {
  WSADATA data;
  SOCKET s = socket(AF_IPX, SOCK_DGRAM, NSPROTO_IPX);
  EXPECT_EQ(s, INVALID_SOCKET);
  EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
  EXPECT_EQ(WSAStartup(MAKEWORD(1, 0), &data), WSAVERNOTSUPPORTED);
  ASSERT_EQ(WSAStartup(MAKEWORD(2, 0), &data), 0);
  EXPECT_EQ(socket(AF_IPX, SOCK_DGRAM, NSPROTO_IPX), INVALID_SOCKET);
  EXPECT_EQ(WSAGetLastError(), WSAEAFNOSUPPORT);
  EXPECT_EQ(WSACleanup(), 0);
  EXPECT_EQ(WSACleanup(), SOCKET_ERROR);

  useExtra("[Machine]\nIpx = yes\n");
  ASSERT_EQ(WSAStartup(MAKEWORD(2, 0), &data), 0);
  s = socket(AF_IPX, SOCK_DGRAM, NSPROTO_IPX);
  ASSERT_NE(s, INVALID_SOCKET);
  EXPECT_EQ(closesocket(s), 0);
  EXPECT_EQ(closesocket(s), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
  EXPECT_EQ(WSACleanup(), 0);
}

TEST_F(DomainNetworkTest, NewWorldKeysAreReadAndBadValuesRefused) {
  World w = parseWorld(std::string(defaultWorldText()) +
                           "[Network E]\nSsid = E\nBssid = 00-11-22-33-44-99\nSecurity = WPA-Enterprise\n"
                           "EapMethods = tls, FAST\nEapInner = 26\nEapTimeout = 5\nEapFastAid = 0A0B\n"
                           "EapPasswordChange = yes\nDhcp = no\nDhcpDelay = 4\n[Domain]\nName = D\nController = C\n",
                       "w.ini");
  const WorldNetwork& n = w.networks.back();
  EXPECT_EQ(n.security, Security::WpaEnterprise);
  EXPECT_EQ(n.ciphers, kCipherTkip);
  EXPECT_EQ(n.eap.methods, (std::vector<int>{kEapTls, kEapFast}));
  EXPECT_EQ(n.eap.timeoutMs, 5000u);
  EXPECT_EQ(n.eap.fastAid, std::string("\x0A\x0B"));
  EXPECT_TRUE(n.eap.passwordChange);
  EXPECT_FALSE(n.dhcp);
  EXPECT_EQ(n.dhcpDelayMs, 4000u);
  EXPECT_EQ(w.domain.controller, "C");
  EXPECT_TRUE(w.domain.reachable);

  const std::string base = std::string(defaultWorldText());
  const std::string ent = "[Network E]\nSsid = E\nBssid = 00-11-22-33-44-99\nSecurity = WEP-Enterprise\n";
  for (const std::string& bad : {
           ent + "EapMethods = PAP\n", ent + "EapMethods = ,\n", ent + "EapInner = 256\n", ent + "EapTimeout = 601\n",
           ent + "EapFastAid = 0\n", ent + "EapIdentity = " + std::string(129, 'x') + "\n", ent + "EapServerName = \"\"\n",
           ent + "DhcpDelay = 601\n",
           std::string("[Network O]\nSsid = O\nBssid = 00-11-22-33-44-98\nEapPassword = x\n"),
           std::string("[Domain]\nName = D\n"), std::string("[Domain]\nName = D\nController = \\\\C\n"),
           std::string("[Machine]\nIpx = maybe\n"),
       }) {
    EXPECT_THROW(parseWorld(base + bad, "w.ini"), WorldError) << bad;
  }
  std::string ccx = base;
  ccx.replace(ccx.find("Bands = 2.4+5"), 13, "Bands = 2.4+5\nCcx = 5");
  EXPECT_THROW(parseWorld(ccx, "w.ini"), WorldError);
}

}  // namespace
}  // namespace wavorel::sim::testing
