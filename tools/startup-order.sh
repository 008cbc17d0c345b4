#!/usr/bin/env bash
# Lists the platform library's functions that the programs' start runs, for
# the linker to lay them out together (platform/CMakeLists.txt):
#
#   tools/startup-order.sh BUILD_DIR > platform/StartupOrder.txt
#
# Each program (WavorelVista, Wavorel) starts under callgrind twice on a root of
# its own, a first start on the fresh root and a start on the root the first
# one left (the usual start: hives and INI files there to read), headless and,
# when Xvfb is installed, on an Xvfb server of its own; once its
# first frame is written (WAVOREL_SCREENSHOT) and two more seconds have passed
# (what the program does in its first moments after that frame: timers, the
# worker's first poll, X events), the counts so far are dumped and the program
# is ended. Printed: the mangled names
# of the library's functions that ran in any of those starts, one a line,
# sorted. A name the library no longer has is skipped by the linker, and a
# function missing from the list is laid out after the listed ones: a stale
# list costs memory, never behaviour.
set -euo pipefail
if (($# != 1)); then
  echo "usage: $0 BUILD_DIR > platform/StartupOrder.txt" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
command -v valgrind >/dev/null || { echo "valgrind is not installed" >&2; exit 2; }
work=$(mktemp -d "${TMPDIR:-/tmp}/wavorel-order.XXXXXX")
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

display=""
if command -v Xvfb >/dev/null; then
  Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp 4>"$work/display" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
  [ -s "$work/display" ] && display=":$(head -n1 "$work/display")"
fi

# One start: program, mode (x or headless), its root, a name for its files.
start() {
  local program=$1 mode=$2 root=$work/root-$3 name=$4 frame=$work/$4.bmp
  local env=(WAVOREL_ROOT="$root" WAVOREL_SCREENSHOT="$frame" WAVOREL_RUN_MS=120000)
  if [ "$mode" = x ]; then env+=(DISPLAY="$display"); else env+=(WAVOREL_HEADLESS=1); fi
  mkdir -p "$root"
  env "${env[@]}" valgrind --tool=callgrind --demangle=no --compress-strings=no --compress-pos=no \
    --callgrind-out-file="$work/$name.out" "$build/apps/$program" >/dev/null 2>&1 &
  local pid=$!
  for _ in $(seq 1200); do [ -s "$frame" ] && break; sleep 0.05; done
  if [ ! -s "$frame" ]; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo "$program ($mode) wrote no frame" >&2
    exit 1
  fi
  sleep 2
  callgrind_control --dump "$pid" >/dev/null 2>&1
  for _ in $(seq 200); do [ -s "$work/$name.out.1" ] && break; sleep 0.05; done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

modes=(headless)
[ -n "$display" ] && modes+=(x)
for program in WavorelVista Wavorel; do
  for mode in "${modes[@]}"; do
    for run in first again; do start "$program" "$mode" "$program-$mode" "$program-$mode-$run"; done
  done
done

# The functions of libwavplatform.so with counts in the dumps of the starts
# (code without a symbol shows as its address: left out; a recursive call's
# level, name'2, is dropped).
awk '/^ob=/ { lib = ($0 ~ /\/libwavplatform\.so$/) }
     /^fn=/ && lib && !/^fn=0x/ { name = substr($0, 4); sub(/'"'"'[0-9]+$/, "", name); print name }' "$work"/*.out.1 |
  LC_ALL=C sort -u
