// Real processes on the test's platform root: a second process (a sibling
// tool) finds the adapter as the first left it; the program refuses a world
// file it cannot use, with its file, line and reason, and loads a world of
// 10,000 networks fast.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/testing/HeadlessEnvironment.h"
#include "SimTest.h"
#include "platform/testing/LargeWorld.h"

extern char** environ;

namespace wavorel::sim::testing {
namespace {

constexpr DWORD OID_VX_TX_POWER = 0xFF0C0007;
constexpr DWORD OID_VX_TX_POWER_SET = 0xFF8C0007;

class ProcessTest : public SimTest {
 protected:
  struct Run {
    int status = -1;  // the exit code; -1 when it did not end in time
    std::string out, err;
    double cpuSeconds = 0;  // user and system time of the process: what a load on the machine does not change
  };

  // Runs `program` headless on this test's root with extra environment
  // entries ("NAME=value"), for at most `limitSeconds` of real time.
  Run run(const std::string& program, std::vector<std::string> args, const std::vector<std::string>& env,
          int limitSeconds) {
    std::vector<std::string> environment = wavorel::testing::headlessEnvironment(root(), env);
    args.insert(args.begin(), program);
    std::vector<char*> argv, envp;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    for (auto& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);

    const std::string outPath = root() + "/run.out", errPath = root() + "/run.err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    Run r;
    pid_t pid = 0;
    const auto start = std::chrono::steady_clock::now();
    struct rusage usage {};
    int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return r;
    int status = 0;
    bool ended = false;
    while (!ended && std::chrono::steady_clock::now() - start < std::chrono::seconds(limitSeconds)) {
      ended = wait4(pid, &status, WNOHANG, &usage) == pid;
      if (!ended) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!ended) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
    } else if (WIFEXITED(status)) {
      r.status = WEXITSTATUS(status);
      r.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    r.out = readFile(outPath);
    r.err = readFile(errPath);
    return r;
  }

  static std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::string writeWorld(const std::string& name, const std::string& text) {
    std::string path = root() + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
};

TEST_F(ProcessTest, ASecondProcessFindsTheAdapterAsTheFirstLeftIt) {
  setU32(OID_VX_TX_POWER_SET, 50);
  Run query = run(SIM_DRIVER_TOOL, {"query", kDefaultGuid, "FF0C0007"}, {}, 30);
  EXPECT_EQ(query.status, 0) << query.err;
  EXPECT_EQ(query.out, "50\n");

  Run change = run(SIM_DRIVER_TOOL, {"set", kDefaultGuid, "FF8C0007", "25"}, {}, 30);
  EXPECT_EQ(change.status, 0) << change.err;
  clock().advance(1);  // the driver looks at its stored settings again on the next tick
  EXPECT_EQ(queryU32(OID_VX_TX_POWER), 25u);
}

TEST_F(ProcessTest, TheProgramRefusesAWorldFileItCannotUseWithItsLineAndReason) {
  struct Case {
    std::string world;  // the file WAVOREL_WORLD names
    std::string reason;
  };
  const Case cases[] = {
      {root() + "/no-such-world.ini", root() + "/no-such-world.ini:0: cannot be read"},
      {writeWorld("slow.ini", std::string(defaultWorldText()) + "[Machine]\nAssociationMs = 0\n"),
       root() + "/slow.ini:" + std::to_string(std::count(defaultWorldText().begin(), defaultWorldText().end(), '\n') + 2) +
           ": AssociationMs: out of range 1..60000: 0"},
      {writeWorld("typo.ini", "[Adapter1]\nHardwareId = USB\\VID_1&PID_2\nGuid = {12345678-1234-1234-1234-1234567890AB}\n"
                              "Description = Card\nMac = 00-11-22-33-44-55\nChanels = 3\n"),
       root() + "/typo.ini:6: unknown key chanels"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.world);
    Run r = run(WAVOREL_PROGRAM_FILE, {}, {"WAVOREL_WORLD=" + c.world, "WAVOREL_RUN_MS=3000"}, 60);
    EXPECT_NE(r.status, 0) << "the program must not run on a world nobody asked for";
    EXPECT_NE(r.status, -1) << "it ends at once";
    EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
  }
}

TEST_F(ProcessTest, TheProgramStartsOnAWorldOfTenThousandNetworksFast) {
  std::string world = writeWorld("street.ini", wavorel::testing::largeWorldText(10000));
  Run r = run(WAVOREL_PROGRAM_FILE, {}, {"WAVOREL_WORLD=" + world, "WAVOREL_RUN_MS=500"}, 120);
  EXPECT_EQ(r.status, 0) << r.err;
  // Parsing alone took 18 s of processor time before the world file reader
  // was indexed; now well under a second (a few seconds in a sanitizer build).
  EXPECT_LT(r.cpuSeconds, 12.0);
}

}  // namespace
}  // namespace wavorel::sim::testing
