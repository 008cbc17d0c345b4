/* What /proc tells about a running process, for bench/startup/Launch.c and
 * bench/IdleBench.cpp: its proportional set size, and the sums over its
 * threads of voluntary context switches (each one a sleep that something
 * ended: a wake-up) and of CPU time. Linux only; C and C++. */
#ifndef WAVOREL_BENCH_PROC_STATS_H
#define WAVOREL_BENCH_PROC_STATS_H

#include <dirent.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>

/* The number after `key` in a "Key:   value" file, 0 when absent. */
static inline long long procField(const char* path, const char* key) {
  FILE* f = fopen(path, "r");
  if (!f) return 0;
  char line[256];
  long long value = 0;
  size_t n = strlen(key);
  while (fgets(line, sizeof line, f))
    if (strncmp(line, key, n) == 0) {
      value = atoll(line + n);
      break;
    }
  fclose(f);
  return value;
}

/* Kilobytes. */
static inline long long procPss(pid_t pid) {
  char path[64];
  snprintf(path, sizeof path, "/proc/%d/smaps_rollup", (int)pid);
  return procField(path, "Pss:");
}

/* Sums over the process's threads: voluntary context switches, CPU ns. */
static inline void procThreadTotals(pid_t pid, long long* wakeups, long long* cpuNs) {
  *wakeups = 0;
  *cpuNs = 0;
  char path[PATH_MAX];
  snprintf(path, sizeof path, "/proc/%d/task", (int)pid);
  DIR* dir = opendir(path);
  if (!dir) return;
  struct dirent* e;
  while ((e = readdir(dir)) != NULL) {
    if (e->d_name[0] == '.') continue;
    snprintf(path, sizeof path, "/proc/%d/task/%s/status", (int)pid, e->d_name);
    *wakeups += procField(path, "voluntary_ctxt_switches:");
    snprintf(path, sizeof path, "/proc/%d/task/%s/schedstat", (int)pid, e->d_name);
    FILE* f = fopen(path, "r");
    if (f) {
      long long ns = 0;
      if (fscanf(f, "%lld", &ns) == 1) *cpuNs += ns;
      fclose(f);
    }
  }
  closedir(dir);
}

#endif
