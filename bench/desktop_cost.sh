#!/usr/bin/env bash
# Start-up time and idle cost of Luno-Mat against a bare Qt window, measured
# the same way in the same run under Xvfb:
#   start-up = from starting the program until its window is mapped on screen
#   idle     = CPU time over an idle period with the animation running, and
#              the peak resident memory (VmHWM)
# Usage: bench/desktop_cost.sh [build-dir] [idle-seconds] [start-up rounds]
# Run it from an X-less shell; it starts its own Xvfb.
set -euo pipefail
build=$(realpath "${1:-build-bench}")
idle=${2:-30}
rounds=${3:-5}
if [ -z "${DISPLAY:-}" ] || [ -z "${LUNOMAT_BENCH_INNER:-}" ]; then
  exec env LUNOMAT_BENCH_INNER=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$idle" "$rounds"
fi
hz=$(getconf CLK_TCK)
# Xvfb may still be starting; a program that cannot reach it would abort.
until xdotool getmouselocation >/dev/null 2>&1; do sleep 0.1; done

now_ms() { date +%s%3N; }

# Starts a program and waits until a window with the given name is visible;
# leaves the milliseconds that took in $elapsed and the pid in $pid.
start_and_wait() {
  local name=$1; shift
  local t0 t1 tries=0
  while :; do
    t0=$(now_ms)
    "$@" >/dev/null 2>>"${LUNOMAT_BENCH_LOG:-/dev/null}" &
    pid=$!
    until xdotool search --onlyvisible --name "$name" >/dev/null 2>&1; do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.005
    done
    t1=$(now_ms)
    kill -0 "$pid" 2>/dev/null && break
    # Now and then a program started right after another one ended cannot
    # reach the X server and aborts; that start is not counted.
    wait "$pid" 2>/dev/null || true
    tries=$((tries + 1))
    [ "$tries" -lt 3 ] || { echo "$* ended before its window appeared" >&2; exit 1; }
  done
  elapsed=$((t1 - t0))
}

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
peak_kib() { awk '/VmHWM/ {print $2}' "/proc/$1/status"; }

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

measure() {
  local label=$1 name=$2; shift 2
  local times=()
  for _ in $(seq 1 "$rounds"); do
    start_and_wait "$name" "$@"
    times+=("$elapsed")
    kill "$pid"; wait "$pid" 2>/dev/null || true
  done
  local start_ms
  start_ms=$(printf '%s\n' "${times[@]}" | median)
  start_and_wait "$name" "$@"
  sleep 2
  local c0 c1
  c0=$(cpu_ticks "$pid")
  sleep "$idle"
  c1=$(cpu_ticks "$pid")
  local peak
  peak=$(peak_kib "$pid")
  kill "$pid"; wait "$pid" 2>/dev/null || true
  local cpu
  cpu=$(awk -v d=$((c1 - c0)) -v hz="$hz" -v s="$idle" 'BEGIN {printf "%.2f", 100 * d / hz / s}')
  printf '%-12s %8s ms %8s %% %8s MiB\n' "$label" "$start_ms" "$cpu" "$(awk -v k="$peak" 'BEGIN {printf "%.1f", k / 1024}')"
  echo "$label $start_ms $cpu $peak" >>"$results"
}

results=$(mktemp)
printf '%-12s %11s %10s %12s\n' "program" "start-up" "idle CPU" "peak RSS"
measure "bare-Qt" "Bare Qt window" "$build/bin/bare_window"
measure "Luno-Mat" "Luno-Mat   -   Version" "$build/bin/lunomat"
awk 'NR==1 {bs=$2; br=$4} NR==2 {printf "ratio        %8.2fx  %18.2fx\n", $2 / bs, $4 / br}' "$results"
rm -f "$results"
