/* Starts one program and measures it from outside, for bench/startup.sh:
 *
 *   launch FRAME_FILE SETTLE_MS IDLE_MS WAIT_MS program [arguments...]
 *
 * - frame: milliseconds from just before the program is started until
 *   FRAME_FILE is written (closed after writing or renamed into place), the
 *   sign of the program's first composed frame;
 * - pss: the proportional set size (kB) SETTLE_MS after that frame;
 * - then, over the next IDLE_MS milliseconds (none when 0): wake-ups (the
 *   voluntary context switches of all its threads: each is a sleep that
 *   something ended) and CPU time (microseconds, from the scheduler);
 * - libs: which of libX11, libxml2 and ICU are mapped at that point.
 *
 * The program then has WAIT_MS milliseconds to end by itself before it is
 * sent SIGTERM (and SIGKILL a second later). Prints one line:
 *   frame_ms=<f> pss_kb=<n> wakeups=<n> cpu_us=<n> x11=<0|1> xml2=<0|1> icu=<0|1>
 * and exits 1 when the frame never came (within 20 s) or the program ended
 * before it. */
#define _GNU_SOURCE
#include <errno.h>
#include <libgen.h>
#include <limits.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include "ProcStats.h"

static double nowMs(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static void sleepMs(long ms) {
  struct timespec t = {ms / 1000, (ms % 1000) * 1000000L};
  while (nanosleep(&t, &t) != 0 && errno == EINTR) {
  }
}

static int mapped(pid_t pid, const char* name) {
  char path[64];
  snprintf(path, sizeof path, "/proc/%d/maps", (int)pid);
  FILE* f = fopen(path, "r");
  if (!f) return 0;
  char line[1024];
  int found = 0;
  while (!found && fgets(line, sizeof line, f)) found = strstr(line, name) != NULL;
  fclose(f);
  return found;
}

/* Waits up to `ms` for the child to end; true when it did. */
static int ended(pid_t pid, long ms) {
  double until = nowMs() + ms;
  do {
    if (waitpid(pid, NULL, WNOHANG) == pid) return 1;
    sleepMs(5);
  } while (nowMs() < until);
  return 0;
}

static void finish(pid_t pid, long waitMs) {
  if (ended(pid, waitMs)) return;
  kill(pid, SIGTERM);
  if (ended(pid, 1000)) return;
  kill(pid, SIGKILL);
  waitpid(pid, NULL, 0);
}

int main(int argc, char** argv) {
  if (argc < 6) {
    fprintf(stderr, "usage: %s FRAME_FILE SETTLE_MS IDLE_MS WAIT_MS program [arguments...]\n", argv[0]);
    return 2;
  }
  const char* frame = argv[1];
  long settle = atol(argv[2]), idle = atol(argv[3]), waitMs = atol(argv[4]);
  char dirBuf[PATH_MAX], baseBuf[PATH_MAX];
  snprintf(dirBuf, sizeof dirBuf, "%s", frame);
  snprintf(baseBuf, sizeof baseBuf, "%s", frame);
  const char* dir = dirname(dirBuf);
  const char* base = basename(baseBuf);
  unlink(frame);

  int watch = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  if (watch < 0 || inotify_add_watch(watch, dir, IN_CLOSE_WRITE | IN_MOVED_TO) < 0) {
    perror("launch: inotify");
    return 2;
  }
  double start = nowMs();
  pid_t pid = fork();
  if (pid < 0) {
    perror("launch: fork");
    return 2;
  }
  if (pid == 0) {
    execvp(argv[5], argv + 5);
    perror("launch: exec");
    _exit(127);
  }

  double frameAt = -1;
  while (frameAt < 0) {
    struct pollfd p = {watch, POLLIN, 0};
    if (poll(&p, 1, 10) > 0) {
      char events[4096] __attribute__((aligned(__alignof__(struct inotify_event))));
      ssize_t n = read(watch, events, sizeof events);
      for (char* at = events; n > 0 && at < events + n;) {
        const struct inotify_event* e = (const struct inotify_event*)at;
        if (e->len && strcmp(e->name, base) == 0) frameAt = nowMs();
        at += sizeof *e + e->len;
      }
    }
    if (frameAt >= 0) break;
    if (waitpid(pid, NULL, WNOHANG) == pid || nowMs() - start > 20000) {
      fprintf(stderr, "launch: %s showed no frame\n", argv[5]);
      if (nowMs() - start > 20000) finish(pid, 0);
      return 1;
    }
  }

  sleepMs(settle);
  long long pss = procPss(pid);
  long long switches0 = 0, cpu0 = 0, switches1 = 0, cpu1 = 0;
  if (idle > 0) {
    procThreadTotals(pid, &switches0, &cpu0);
    sleepMs(idle);
    procThreadTotals(pid, &switches1, &cpu1);
  }
  int x11 = mapped(pid, "/libX11.so"), xml2 = mapped(pid, "/libxml2.so"), icu = mapped(pid, "/libicuuc.so");
  finish(pid, waitMs);
  printf("frame_ms=%.2f pss_kb=%lld wakeups=%lld cpu_us=%lld x11=%d xml2=%d icu=%d\n", frameAt - start, pss,
         switches1 - switches0, (cpu1 - cpu0) / 1000, x11, xml2, icu);
  return 0;
}
