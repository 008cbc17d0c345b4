#!/usr/bin/env bash
# Start-up, memory and idle cost of WavorelVista against a minimal raw-Xlib
# client, measured side by side:
#
#   bench/startup.sh BUILD_DIR [BUILD_DIR...]
#
# It builds the raw client (bench/startup/RawClient.c: maps a shaped 600 x 450
# window and draws one string) and the launcher that measures a start
# (bench/startup/Launch.c), starts an Xvfb server, and then runs ROUNDS rounds
# (default 25). Each round starts the raw client on Xvfb, then, for every build
# folder given, BUILD_DIR/apps/WavorelVista on Xvfb and headless, so that all
# series share the machine's state of the moment. Measured per start:
#
# - exec to first composed frame: from just before the exec until the program's
#   first frame is written (the raw client: an empty file once the server has
#   drawn its string; WavorelVista: its WAVOREL_SCREENSHOT .bmp file, written
#   once the window is composed and, on X, sent to the server);
# - PSS: /proc/<pid>/smaps_rollup, SETTLE_MS (default 200) after that frame;
# - idle: wake-ups (voluntary context switches of all threads) and CPU time
#   over the next IDLE_MS (default 1000) milliseconds;
# - which of libX11, libxml2 and ICU are mapped (/proc/<pid>/maps).
#
# With MODE=ap every WavorelVista start is in soft-AP mode (its roots prepared
# by tools/ap-root.sh, so the mode saved is soft AP): the first frame is then
# the main dialog with the AP tab control and its basic page.
#
# It prints the minimum and median of each series and the ratio of each build's
# median start-up to the raw client's median of the same rounds, and, where the
# build has it, the region build from the real skin (bench/RegionBench).
# The platform root of each series is a folder on disk ($TMPDIR, default /tmp)
# that a first, unmeasured start prepares; the frame files go to /dev/shm where
# it exists, so that writing them costs the same everywhere.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if (($# == 0)); then
  echo "usage: $0 BUILD_DIR [BUILD_DIR...]" >&2
  exit 2
fi
builds=()
for b in "$@"; do
  b=$(cd "$b" && pwd)
  [ -x "$b/apps/WavorelVista" ] || { echo "no $b/apps/WavorelVista: build it first" >&2; exit 2; }
  builds+=("$b")
done
rounds=${ROUNDS:-25} settle=${SETTLE_MS:-200} idle=${IDLE_MS:-1000} mode=${MODE:-station}
[ "$mode" = station ] || [ "$mode" = ap ] || { echo "MODE is station or ap" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/wavorel-startup.XXXXXX")
frames=$work
[ -d /dev/shm ] && frames=$(mktemp -d /dev/shm/wavorel-startup.XXXXXX)
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work" "$frames"
}
trap cleanup EXIT

cc -O2 -Wall -Wextra -Werror -o "$work/rawclient" "$here/startup/RawClient.c" -lX11 -lXext
cc -O2 -Wall -Wextra -Werror -o "$work/launch" "$here/startup/Launch.c"

Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp 4>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
display=":$(head -n1 "$work/display")"

# One start: series name, then the launcher's arguments after the frame file.
run() {
  local series=$1 frame=$frames/$1.frame
  shift
  local line
  if line=$("$work/launch" "$frame" "$@" 2>>"$work/errors"); then
    echo "$line" >>"$work/$series.txt"
  else
    echo "failed" >>"$work/$series.failed"
  fi
}

vista() {  # series, build, mode (x or headless), measured (1 or 0)
  local series=$1 build=$2 mode=$3 root=$work/root-$1
  local env=(WAVOREL_ROOT="$root" WAVOREL_SCREENSHOT="$frames/$series.frame" WAVOREL_RUN_MS=$((settle + idle + 300)))
  if [ "$mode" = x ]; then env+=(DISPLAY="$display"); else env+=(WAVOREL_HEADLESS=1); fi
  if [ "$4" = 1 ]; then
    run "$series" "$settle" "$idle" 3000 env "${env[@]}" "$build/apps/WavorelVista"
  else
    "$work/launch" "$frames/$series.frame" 0 0 3000 env "${env[@]}" "$build/apps/WavorelVista" >/dev/null 2>&1 || true
  fi
}

series=(raw)
for i in "${!builds[@]}"; do series+=("b$i-x" "b$i-headless"); done
# The roots, made before each series' first, unmeasured start.
for s in "${series[@]:1}"; do
  if [ "$mode" = ap ]; then bash "$here/../tools/ap-root.sh" "$work/root-$s"; else mkdir -p "$work/root-$s"; fi
done
for i in "${!builds[@]}"; do
  vista "b$i-x" "${builds[$i]}" x 0
  vista "b$i-headless" "${builds[$i]}" headless 0
done
for r in $(seq "$rounds"); do
  printf '\rround %d/%d' "$r" "$rounds" >&2
  run raw "$settle" "$idle" 0 env DISPLAY="$display" "$work/rawclient" "$frames/raw.frame"
  for i in "${!builds[@]}"; do
    vista "b$i-x" "${builds[$i]}" x 1
    vista "b$i-headless" "${builds[$i]}" headless 1
  done
done
printf '\r' >&2

# The values of one field of a series, one a line.
values() { [ -f "$work/$1.txt" ] && sed -n "s/.*\b$2=\([0-9.]*\).*/\1/p" "$work/$1.txt" || true; }
stat() {  # min and median of a field, each value multiplied by a scale
  values "$1" "$2" | sort -g | awk -v k="$3" '{v[NR]=$1*k} END {
    if (NR == 0) { printf "-"; exit }
    m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "%.2f / %.2f", v[1], m }'
}
median() { stat "$1" "$2" "$3" | awk -F' / ' '{print $2}'; }
label() {
  case $1 in
    raw) echo "raw Xlib client (X)" ;;
    b*-x) echo "${builds[${1:1:1}]} (X)" ;;
    *) echo "${builds[${1:1:1}]} (headless)" ;;
  esac
}

echo "$rounds rounds in $mode mode on Xvfb $display; root on ${TMPDIR:-/tmp}; PSS $settle ms after the first frame; idle over $idle ms"
printf '%-48s %-18s %-16s %-16s %-14s %s\n' "" "frame ms" "PSS MB" "wake-ups/s" "CPU ms/s" "mapped"
printf '%-48s %-18s %-16s %-16s %-14s %s\n' "series" "min / median" "min / median" "min / median" "min / median" \
  "X11 xml2 ICU"
for s in "${series[@]}"; do
  libs="-"
  if [ -f "$work/$s.txt" ]; then
    libs=$(tail -n1 "$work/$s.txt" | sed 's/.*x11=\([01]\) xml2=\([01]\) icu=\([01]\).*/\1    \2    \3/')
  fi
  failed=""
  [ -f "$work/$s.failed" ] && failed=" ($(wc -l <"$work/$s.failed") failed)"
  printf '%-48s %-18s %-16s %-16s %-14s %s%s\n' "$(label "$s")" "$(stat "$s" frame_ms 1)" \
    "$(stat "$s" pss_kb "$(awk 'BEGIN{print 1/1024}')")" "$(stat "$s" wakeups "$(awk -v i="$idle" 'BEGIN{print 1000/i}')")" \
    "$(stat "$s" cpu_us "$(awk -v i="$idle" 'BEGIN{print 1/i}')")" "$libs" "$failed"
done
raw=$(median raw frame_ms 1)
for i in "${!builds[@]}"; do
  for mode in x headless; do
    m=$(median "b$i-$mode" frame_ms 1)
    [ -n "$raw" ] && [ -n "$m" ] && awk -v a="$m" -v b="$raw" -v l="$(label "b$i-$mode")" \
      'BEGIN { printf "start-up ratio %-45s %.2f x the raw client\n", l ":", a / b }'
  done
done
for b in "${builds[@]}"; do
  if [ -x "$b/bench/RegionBench" ] && "$b/bench/RegionBench" --benchmark_list_tests 2>/dev/null | grep -q MainDialogSkin; then
    echo "region from the main dialog's skin, $b:"
    "$b/bench/RegionBench" --benchmark_filter=MainDialogSkin --benchmark_repetitions=5 \
      --benchmark_report_aggregates_only=true 2>/dev/null | grep -E "_(median|mean)" | sed 's/^/  /'
  fi
done
[ -s "$work/errors" ] && { echo "errors:"; sort "$work/errors" | uniq -c | head -n 5; }
exit 0
