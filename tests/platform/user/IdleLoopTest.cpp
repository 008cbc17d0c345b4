// The message loop of a program with nothing to do sleeps until its next
// timer: no periodic wake-up, on the real clock as on the virtual one. Before
// it sleeps it flushes the settings written since it last slept, once.
#include <chrono>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "UserTestSupport.h"
#include "platform/win/kernel/AtomicFile.h"
#include "platform/win/registry/Registry.h"
#include "platform/win/user/MessageQueue.h"

namespace wavorel::testing {
namespace {

using IdleLoopTest = UserTest;

// Times this thread gave up the processor (slept) so far.
long sleepsOfThisThread() {
  std::ifstream status("/proc/thread-self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("voluntary_ctxt_switches:", 0) == 0) return std::stol(line.substr(24));
  return -1;
}

TEST_F(IdleLoopTest, HeadlessRunOfFiveSecondsWakesOnlyForTheTimersItArmed) {
  setClock(std::make_shared<RealClock>());
  HWND w = make("Idle program", WS_POPUP | WS_VISIBLE);  // published: the desktop's socket is waited on too
  int fired = 0;
  on(WM_TIMER, [&](HWND, UINT, WPARAM id, LPARAM) -> std::optional<LRESULT> {
    ++fired;
    if (id == 2) PostQuitMessage(0);
    return 0;
  });
  uint64_t start = GetTickCount64();
  SetTimer(w, 1, 1000, nullptr);
  SetTimer(w, 2, 5000, nullptr);
  pumpMessages();  // what creating the window left to do
  auto q = MessageQueue::current();
  uint64_t wakeUps = q->wakeUps();
  long sleeps = sleepsOfThisThread();
  MSG m;
  while (GetMessage(&m, nullptr, 0, 0) > 0) DispatchMessage(&m);
  EXPECT_GE(GetTickCount64() - start, 5000u);
  EXPECT_GE(fired, 5);  // 1000 ms four or five times (each re-armed when it fired), 5000 ms once
  EXPECT_LE(q->wakeUps() - wakeUps, static_cast<uint64_t>(fired));
  EXPECT_LE(sleepsOfThisThread() - sleeps, fired + 1) << "the thread slept once per timer";
}

std::string hiveText(const std::string& root) {
  std::string text;
  readWholeFile(root + "/registry/HKCU.reg", text);
  return text;
}

// A burst of registry values set by one message: each is in the hive file as
// soon as its call returns (another process, or the next start after a kill,
// reads it), and the hive is flushed to disk once, when the loop goes to sleep;
// a burst the loop has not slept after yet is flushed by RegFlushKey.
TEST_F(IdleLoopTest, ABurstOfSettingsIsFlushedOnceWhenTheLoopSleeps) {
  setClock(std::make_shared<RealClock>());
  HWND w = make("Settings writer");
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Burst", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  syncDeferredFiles();
  // Flushes made during a burst: none, unless the burst itself lasted more
  // than the longest a change waits for its flush (a loaded machine).
  auto burst = [&](DWORD first) {
    const auto began = std::chrono::steady_clock::now();
    const unsigned long before = fileSyncCount();
    for (DWORD i = first; i < first + 40; ++i) {
      const std::string name = "Value" + std::to_string(i);
      EXPECT_EQ(RegSetValueEx(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&i), sizeof i),
                ERROR_SUCCESS);
      EXPECT_NE(hiveText(root()).find('"' + name + "\"=dword:"), std::string::npos) << name << " is not in the file";
    }
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - began);
    EXPECT_LE(fileSyncCount() - before, static_cast<unsigned long>(took.count() / kMaxDeferredSyncMs))
        << "forty values flushed one by one";
  };
  unsigned long afterFirstBurst = 0, beforeSecondBurst = 0;
  on(WM_TIMER, [&](HWND, UINT, WPARAM id, LPARAM) -> std::optional<LRESULT> {
    KillTimer(w, id);
    if (id == 1) {
      burst(0);
      afterFirstBurst = fileSyncCount();
      SetTimer(w, 2, 20, nullptr);  // the loop sleeps in between
    } else {
      beforeSecondBurst = fileSyncCount();
      burst(40);
      PostQuitMessage(0);  // the loop ends without sleeping again
    }
    return 0;
  });
  SetTimer(w, 1, 10, nullptr);
  MSG m;
  while (GetMessage(&m, nullptr, 0, 0) > 0) DispatchMessage(&m);
  EXPECT_EQ(beforeSecondBurst, afterFirstBurst + 1) << "the loop slept without flushing the hive once";
  // A change the loop has not slept after is flushed by RegFlushKey, once.
  syncDeferredFiles();
  const DWORD one = 1;
  ASSERT_EQ(RegSetValueEx(key, "Last", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one), ERROR_SUCCESS);
  const unsigned long unflushed = fileSyncCount();
  EXPECT_TRUE(deferredSyncPending());
  EXPECT_EQ(RegFlushKey(key), ERROR_SUCCESS);
  EXPECT_EQ(fileSyncCount(), unflushed + 1);
  EXPECT_EQ(RegFlushKey(key), ERROR_SUCCESS);
  EXPECT_EQ(fileSyncCount(), unflushed + 1) << "nothing was left to flush";
  RegCloseKey(key);
}

// A thread that writes settings without ever sleeping in a message loop
// still has them flushed: a change a second after an unflushed one flushes.
TEST_F(IdleLoopTest, SettingsOfAThreadWithoutALoopAreFlushedWithinASecond) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Loopless", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                           nullptr),
            ERROR_SUCCESS);
  syncDeferredFiles();
  const unsigned long start = fileSyncCount();
  auto set = [&](DWORD v) { RegSetValueEx(key, "Counter", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v); };
  set(1);
  set(2);
  EXPECT_EQ(fileSyncCount(), start);
  std::this_thread::sleep_for(std::chrono::milliseconds(kMaxDeferredSyncMs + 50));
  set(3);
  EXPECT_EQ(fileSyncCount(), start + 1);
  EXPECT_FALSE(deferredSyncPending());
  RegCloseKey(key);
}

}  // namespace
}  // namespace wavorel::testing
