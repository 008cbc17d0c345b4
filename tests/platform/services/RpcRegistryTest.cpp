#include "LabWorldTest.h"
#include "platform/sim/services/RegistryRpcService.h"
#include "platform/win/kernel/Account.h"

namespace wavorel::sim::testing {
namespace {

constexpr const char* kKey = "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0042";

RPC_CSTR cs(const char* s) { return reinterpret_cast<RPC_CSTR>(const_cast<char*>(s)); }

class RpcRegistryTest : public LabWorldTest {
 protected:
  void SetUp() override {
    LabWorldTest::SetUp();
    setRunningAsAdministrator(false);
  }
  // Binds the way the registry client does.
  RPC_BINDING_HANDLE bind(const char* protseq = "ncalrpc", const char* endpoint = kRegistryServiceEndpoint) {
    RPC_CSTR text = nullptr;
    EXPECT_EQ(RpcStringBindingCompose(nullptr, cs(protseq), nullptr, cs(endpoint), nullptr, &text), RPC_S_OK);
    RPC_BINDING_HANDLE h = nullptr;
    status = RpcBindingFromStringBinding(text, &h);
    EXPECT_EQ(RpcStringFree(&text), RPC_S_OK);
    EXPECT_EQ(text, nullptr);
    if (h) {
      EXPECT_EQ(RpcBindingSetAuthInfo(h, nullptr, RPC_C_AUTHN_LEVEL_CONNECT, RPC_C_AUTHN_WINNT, nullptr, 0),
                RPC_S_OK);
    }
    return h;
  }
  static std::string read(const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
    char data[64] = {};
    DWORD size = sizeof data, type = 0;
    LONG r = RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(data), &size);
    RegCloseKey(key);
    return r == ERROR_SUCCESS ? std::string(data, size) + "/" + std::to_string(type) : "<no value>";
  }
  static LONG setValue(RPC_BINDING_HANDLE h, const char* name, const char* data, ULONG size) {
    return NdrClientCall2(h, 3,
                          {RpcArgument::ofText(kKey), RpcArgument::ofText(name), RpcArgument::ofNumber(REG_SZ),
                           RpcArgument::ofText(data), RpcArgument::ofNumber(size)});
  }

  RPC_STATUS status = RPC_S_OK;
};

TEST_F(RpcRegistryTest, TheServiceWritesUnderLocalMachineForAStandardUser) {
  HKEY direct = nullptr;
  ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &direct, nullptr),
            ERROR_ACCESS_DENIED);

  RPC_CSTR text = nullptr;
  ASSERT_EQ(RpcStringBindingCompose(nullptr, cs("ncalrpc"), nullptr, cs(kRegistryServiceEndpoint), nullptr, &text),
            RPC_S_OK);
  EXPECT_STREQ(reinterpret_cast<char*>(text), "ncalrpc:[//.//NeroltRegistry_AP]");
  RpcStringFree(&text);

  RPC_BINDING_HANDLE h = bind();
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(RpcMgmtIsServerListening(h), RPC_S_OK);
  EXPECT_EQ(NdrClientCall2(h, 4, {RpcArgument::ofText(kKey)}), ERROR_SUCCESS);
  EXPECT_EQ(read("OpMode"), "<no value>") << "the key exists now";
  EXPECT_EQ(setValue(h, "OpMode", "1", 2), ERROR_SUCCESS);
  EXPECT_EQ(read("OpMode"), std::string("1\0/1", 4));
  EXPECT_EQ(setValue(h, "SSID", "LabNetwork", 4), ERROR_SUCCESS) << "the data is cut to the size sent";
  EXPECT_EQ(read("SSID"), "LabN/1");

  EXPECT_EQ(NdrClientCall2(h, 5, {}), RPC_S_PROCNUM_OUT_OF_RANGE);
  EXPECT_EQ(NdrClientCall2(h, 3, {RpcArgument::ofText(kKey)}), RPC_X_BAD_STUB_DATA);
  EXPECT_EQ(RpcBindingFree(&h), RPC_S_OK);
  EXPECT_EQ(h, nullptr);
  EXPECT_EQ(RpcBindingFree(&h), RPC_S_INVALID_BINDING);
  EXPECT_EQ(RpcMgmtIsServerListening(h), RPC_S_INVALID_BINDING);
}

TEST_F(RpcRegistryTest, AServiceThatDoesNotListenWritesNothing) {
  RPC_BINDING_HANDLE other = bind("ncalrpc", "//.//SomeOtherService");
  EXPECT_EQ(RpcMgmtIsServerListening(other), RPC_S_NOT_LISTENING);
  RpcBindingFree(&other);
  EXPECT_EQ(bind("ncacn_ip_tcp"), nullptr);
  EXPECT_EQ(status, RPC_S_PROTSEQ_NOT_SUPPORTED);

  setRegistryServiceListening(false);
  RPC_BINDING_HANDLE h = bind();
  EXPECT_EQ(RpcMgmtIsServerListening(h), RPC_S_NOT_LISTENING);
  EXPECT_EQ(NdrClientCall2(h, 4, {RpcArgument::ofText(kKey)}), RPC_S_SERVER_UNAVAILABLE);
  EXPECT_EQ(read("OpMode"), "<no key>");

  wavorel::resetPlatformState();
  setRunningAsAdministrator(false);
  h = bind();
  EXPECT_EQ(RpcMgmtIsServerListening(h), RPC_S_OK) << "the service listens again after a reset";
  RpcBindingFree(&h);
}

TEST_F(RpcRegistryTest, EveryCallThatReachesTheServiceIsRecorded) {
  RPC_BINDING_HANDLE h = bind();
  EXPECT_EQ(NdrClientCall2(h, 4, {RpcArgument::ofText(kKey)}), ERROR_SUCCESS);
  EXPECT_EQ(setValue(h, "OpMode", "1", 1), ERROR_SUCCESS);
  EXPECT_EQ(NdrClientCall2(h, 0, {}), RPC_S_PROCNUM_OUT_OF_RANGE);
  const std::vector<RegistryServiceCall> calls = registryServiceCalls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].procedure, 4u);
  ASSERT_EQ(calls[0].args.size(), 1u);
  EXPECT_EQ(calls[0].args[0].text, kKey);
  EXPECT_EQ(calls[1].procedure, 3u);
  ASSERT_EQ(calls[1].args.size(), 5u);
  EXPECT_EQ(calls[1].args[1].text, "OpMode");
  EXPECT_EQ(calls[1].args[4].number, 1u);
  EXPECT_EQ(calls[2].procedure, 0u) << "a procedure the service does not serve is recorded too";

  // A call that never reaches the service is not; a reset forgets them all.
  setRegistryServiceListening(false);
  EXPECT_EQ(setValue(h, "OpMode", "0", 1), RPC_S_SERVER_UNAVAILABLE);
  EXPECT_EQ(registryServiceCalls().size(), 3u);
  clearRegistryServiceCalls();
  EXPECT_TRUE(registryServiceCalls().empty());
  setRegistryServiceListening(true);
  setValue(h, "OpMode", "0", 1);
  RpcBindingFree(&h);
  wavorel::resetPlatformState();
  EXPECT_TRUE(registryServiceCalls().empty());
}

}  // namespace
}  // namespace wavorel::sim::testing
