// An idle second of the running program: WavorelVista started headless on a
// fresh platform root with nothing to do (the built-in world, no user), and,
// once it has shown its main dialog and settled, one second of it measured
// from outside: wake-ups (voluntary context switches of all its threads)
// and CPU time. A loop that sleeps until its next timer is due wakes only
// for the timers the program armed.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "bench/startup/ProcStats.h"
#include "platform/testing/BenchRoot.h"

namespace {

// The program, running until the object goes.
class Program {
 public:
  explicit Program(const std::string& root) {
    const std::string frame = root + "/frame.bmp";
    pid_ = fork();
    if (pid_ == 0) {
      setenv("WAVOREL_ROOT", root.c_str(), 1);
      setenv("WAVOREL_HEADLESS", "1", 1);
      setenv("WAVOREL_SCREENSHOT", frame.c_str(), 1);
      unsetenv("WAVOREL_RUN_MS");
      execl(WAVOREL_PROGRAM_FILE, WAVOREL_PROGRAM_FILE, static_cast<char*>(nullptr));
      _exit(127);
    }
    struct stat st {};
    for (int i = 0; i < 2000 && pid_ > 0 && stat(frame.c_str(), &st) != 0; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    started_ = pid_ > 0 && stat(frame.c_str(), &st) == 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // past the start-up work
  }
  ~Program() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool started() const { return started_; }
  pid_t pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
  bool started_ = false;
};

void BM_IdleSecondOfTheProgram(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  Program program(root.path());
  if (!program.started()) {
    state.SkipWithError("the program showed no main dialog");
    return;
  }
  long long wakeups = 0, cpuNs = 0;
  for (auto _ : state) {
    long long w0 = 0, c0 = 0, w1 = 0, c1 = 0;
    procThreadTotals(program.pid(), &w0, &c0);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    procThreadTotals(program.pid(), &w1, &c1);
    wakeups += w1 - w0;
    cpuNs += c1 - c0;
    state.SetIterationTime(1.0);
  }
  const double seconds = static_cast<double>(state.iterations());
  state.counters["wakeups_per_s"] = static_cast<double>(wakeups) / seconds;
  state.counters["cpu_ms_per_s"] = static_cast<double>(cpuNs) / 1e6 / seconds;
}
BENCHMARK(BM_IdleSecondOfTheProgram)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
