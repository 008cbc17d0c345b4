// What a process killed with SIGKILL leaves for the next one: a registry
// hive that always loads with every acknowledged value, and left-overs (temp
// files of atomic rewrites, its session folder) that the next start removes.
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "Peer.h"
#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/user/Desktop.h"

namespace wavorel::testing {
namespace {

using KilledProcess = PlatformTest;

bool exists(const std::string& path) { return std::filesystem::exists(path); }

TEST_F(KilledProcess, RegistryWriteLoopKilledLeavesALoadableHiveWithTheLastAcknowledgedValue) {
  for (int round = 0; round < 6; ++round) {
    SCOPED_TRACE(round);
    Peer writer(root(), {"registry-writer"});
    long acked = 0;
    std::string line;
    // Killed at a different point of its loop each round.
    while (acked < 15 + round * 9 && writer.readLine(line)) acked = std::stol(line.substr(4));
    writer.kill9();
    while (writer.readLine(line)) acked = std::stol(line.substr(4));  // what it printed before it died
    EXPECT_EQ(writer.wait(), -SIGKILL);

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Peer", 0, KEY_READ, &key), ERROR_SUCCESS) << "the hive loads";
    DWORD value = 0;
    DWORD size = sizeof value;
    ASSERT_EQ(RegQueryValueEx(key, "Counter", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size), ERROR_SUCCESS);
    RegCloseKey(key);
    // The value set last may have been written without its acknowledgement printed.
    EXPECT_GE(static_cast<long>(value), acked);
    EXPECT_LE(static_cast<long>(value), acked + 1);
  }
}

// Kills a registry writer while its temporary file exists, and finds the file
// there afterwards; empty when the kill came too late in every try.
std::string killWriterDuringItsRewrite(const std::string& root) {
  std::string folder = root + "/registry";
  std::filesystem::create_directories(folder);
  for (int attempt = 0; attempt < 50; ++attempt) {
    int watch = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    inotify_add_watch(watch, folder.c_str(), IN_CREATE);
    Peer writer(root, {"registry-writer"});
    std::string tmp = "HKCU.reg.tmp" + std::to_string(writer.pid());
    char events[4096] __attribute__((aligned(alignof(inotify_event))));
    // After its first write the hive exists: a rewrite is what is to be cut short.
    writer.next("ack");
    while (read(watch, events, sizeof events) > 0) {
    }
    bool seen = false;
    while (!seen) {
      pollfd p{watch, POLLIN, 0};
      if (poll(&p, 1, 10000) != 1) break;
      ssize_t n = read(watch, events, sizeof events);
      if (n <= 0) break;
      for (char* p = events; p < events + n;) {
        auto* e = reinterpret_cast<inotify_event*>(p);
        if (e->len && tmp == e->name) seen = true;
        p += sizeof(inotify_event) + e->len;
      }
    }
    writer.kill9();
    writer.wait();
    close(watch);
    if (seen && exists(folder + "/" + tmp)) return folder + "/" + tmp;
  }
  return "";
}

TEST_F(KilledProcess, NextStartRemovesTheTempFilesAndSessionFoldersOfDeadProcesses) {
  std::string tmp = killWriterDuringItsRewrite(root());
  ASSERT_FALSE(tmp.empty()) << "no kill landed while the temp file existed";

  // A dead instance's session folder, and one of a live instance.
  Peer dead(root(), {"window", "Dead"});
  ASSERT_FALSE(dead.next("hwnd").empty());
  dead.kill9();
  dead.wait();
  std::string deadFolder = Desktop::processFolder(static_cast<DWORD>(dead.pid()));
  ASSERT_TRUE(exists(deadFolder));
  Peer live(root(), {"window", "Live"});
  HWND liveWindow = reinterpret_cast<HWND>(static_cast<uintptr_t>(std::stoull(live.next("hwnd"))));
  // A temp file of a writer that is alive (this process) stays.
  std::string ours = root() + "/registry/HKLM.reg.tmp" + std::to_string(getpid());
  std::ofstream(ours) << "in progress";

  Peer next(root(), {"start"});
  auto report = next.rest();
  EXPECT_EQ(next.wait(), 0);
  EXPECT_EQ(report["open"], "0") << "the hive of the killed writer loads";
  EXPECT_FALSE(exists(tmp));
  EXPECT_FALSE(exists(deadFolder));
  EXPECT_TRUE(exists(ours));
  EXPECT_TRUE(exists(Desktop::processFolder(static_cast<DWORD>(live.pid()))));
  EXPECT_EQ(FindWindow("PeerWnd", "Live"), liveWindow);
}

}  // namespace
}  // namespace wavorel::testing
