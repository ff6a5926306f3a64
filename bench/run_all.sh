#!/usr/bin/env bash
# Every speed and memory goal of Luno-Mat in one table:
#   the lunar core      Google Benchmark figures of bench/core_bench.cpp
#   the true sky        one phase instant, every phase and every lunar eclipse
#                       1583-9999 (also bench/core_bench.cpp)
#   the command line    time and peak memory of lunomat-cli rise for one year
#                       at one place, apsides 1583-9999 and the calendar file
#                       of 1583-9999 (bench/cli_bench.sh)
#   start-up            from starting the program until the X server maps
#                       its window (bench/map_wait; the moon of today is
#                       computed before that), and until every pixel of the
#                       window has been drawn once, against a bare Qt window of
#                       the same size showing one line of text, and an empty
#                       one; and a third yardstick: the text window with the
#                       design's text, a line in each font family and size
#                       of the main window and three input fields (fields lay
#                       out their text before the map, see bare_window.cpp);
#                       the median of rounds started one after the other
#   idle CPU            CPU time of all the program's threads over an idle
#                       period with the star sky running; next to it the
#                       floor: the bare window changing one 20 x 20 picture
#                       ten times a second, the star sky's rate; and the
#                       floor for the star sky's area: the bare window
#                       changing six pictures of the sky's places and sizes
#                       at that rate. All again with an accessibility bus
#                       (at-spi) and Qt's bridge on, and the program once
#                       more while minimized and while covered
#   peak RSS            the largest resident memory (VmHWM) in that period,
#                       against the text window
#   window openings     resident memory (VmRSS) after 300 openings of the
#                       annual, eclipse and information windows in turn (by
#                       their access keys, closed again through the window
#                       manager), against that after the first 10
# Usage: bench/run_all.sh [build-dir] [idle-seconds] [start-up rounds]
# Builds the benchmarks first if need be; starts its own Xvfb. Run it on a
# quiet machine: other load shows up in every figure.
set -euo pipefail
self=$(realpath "$0")
build=$(realpath -m "${1:-build-bench}")  # relative to where the script is started
idle=${2:-30}
rounds=${3:-25}
cd "$(dirname "$self")/.."

if [ -z "${LUNOMAT_BENCH_INNER:-}" ]; then
  mkdir -p "$build"
  first=()
  [ -f "$build/CMakeCache.txt" ] || first=(-G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF)
  if ! { cmake -S . -B "$build" "${first[@]}" -DLUNOMAT_BUILD_BENCH=ON -DLUNOMAT_BUILD_UI=ON &&
    cmake --build "$build" -j2; } >"$build/bench-build.log" 2>&1; then
    tail -n 30 "$build/bench-build.log" >&2
    exit 1
  fi
  exec env LUNOMAT_BENCH_INNER=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$self" "$build" "$idle" "$rounds"
fi
bin="$build/bin"
results=$(mktemp)
trap 'rm -f "$results"' EXIT

# --- the lunar core ---------------------------------------------------------
"$bin/lunomat_bench" --benchmark_format=json --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true |
  python3 -c '
import json, sys
median = {b["run_name"]: b for b in json.load(sys.stdin)["benchmarks"] if b.get("aggregate_name") == "median"}
def ns(name):
    b = median[name]
    return b["real_time"] * {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[b["time_unit"]]
print("state", ns("BM_ComputeMoonState"), ns("BM_LibmBaseline"))
print("sweep", ns("BM_DisplaySweep1900To2100"))
print("annual", ns("BM_AnnualPhaseTable"))
print("sky", ns("BM_PhaseInstant"), ns("BM_AllPhases1583To9999"), ns("BM_AllLunarEclipses1583To9999"))
' >>"$results"

# --- the command-line tool ---------------------------------------------------
bench/cli_bench.sh "$bin/lunomat-cli" >>"$results"

# --- the desktop program ----------------------------------------------------
# Xvfb may still be starting; a program that cannot reach it would abort.
until xdotool getmouselocation >/dev/null 2>&1; do sleep 0.1; done
# Only the rows with an accessibility bus get a session bus.
unset DBUS_SESSION_BUS_ADDRESS

# Starts a program and waits for the X server's MapNotify of its window and
# for the window drawn whole (bench/map_wait); leaves the milliseconds in
# $elapsed and $drawn, and the pid in $pid.
start_and_wait() {
  local name=$1 tries=0 out
  shift
  while :; do
    if out=$(cd "$bin" && ./map_wait "$name" "$@"); then
      read -r elapsed drawn pid <<<"$out"
      return
    fi
    # Now and then a program started right after another one ended cannot
    # reach the X server and aborts; that start is not counted.
    tries=$((tries + 1))
    [ "$tries" -lt 3 ] || { echo "$* ended before its window appeared" >&2; exit 1; }
  done
}
stop() { kill "$1" 2>/dev/null || true; while kill -0 "$1" 2>/dev/null; do sleep 0.02; done; }

# CPU time of the process's threads in nanoseconds, as the scheduler counts
# it; the clock ticks of /proc/PID/stat (10 ms) are too coarse for the
# minimized row, where a whole minute costs a few milliseconds.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%d", s}'; }
peak_kib() { awk '/VmHWM/ {print $2}' "/proc/$1/status"; }
median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

bare=("Bare Qt window" ./bare_window)
text=("Bare Qt window" ./bare_window --text)
design=("Bare Qt window" ./bare_window --text --design-text)
floor=("Bare Qt window" ./bare_window --animate)
sky_floor=("Bare Qt window" ./bare_window --animate-sky)
lunomat=("Luno-Mat   -   Version" ./lunomat)
a11y=(env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)

# Start-up in rounds of the text window, Luno-Mat and the empty window one
# after the other, so that a slow spell of the machine slows all of them.
start_once() {
  start_and_wait "$@"
  echo "$elapsed $drawn"
  stop "$pid"
}
text_times=() lunomat_times=() bare_times=() design_times=()
for _ in $(seq 1 "$rounds"); do
  text_times+=("$(start_once "${text[@]}")")
  lunomat_times+=("$(start_once "${lunomat[@]}")")
  bare_times+=("$(start_once "${bare[@]}")")
  design_times+=("$(start_once "${design[@]}")")
done
# The median of one column of a list of times: 1 to the map, 2 to the drawn window.
median_of() {
  local -n times=$1
  printf '%s\n' "${times[@]}" | awk -v c="$2" '{print $c}' | median
}
for row in "start 1" "drawn 2"; do
  read -r label c <<<"$row"
  echo "$label $(median_of text_times "$c") $(median_of lunomat_times "$c")" \
    "$(median_of bare_times "$c") $(median_of design_times "$c")" >>"$results"
done

# CPU % of $pid over the given seconds, after two seconds to settle.
idle_percent() {
  local c0 c1
  sleep 2
  c0=$(cpu_ns "$pid")
  sleep "$1"
  c1=$(cpu_ns "$pid")
  awk -v d=$((c1 - c0)) -v s="$1" 'BEGIN {printf "%.3f", 100 * d / 1e9 / s}'
}
# label, seconds, window name, program...: idle CPU % and peak KiB
idle_cost() {
  local label=$1 seconds=$2
  shift 2
  start_and_wait "$@"
  echo "$label $(idle_percent "$seconds") $(peak_kib "$pid")" >>"$results"
  stop "$pid"
}
idle_cost text "$idle" "${text[@]}"
idle_cost floor "$idle" "${floor[@]}"
idle_cost sky_floor "$idle" "${sky_floor[@]}"
idle_cost lunomat "$idle" "${lunomat[@]}"

# The same with an accessibility bus, as while a screen reader runs: a
# session bus, the at-spi bus launcher with its registry, and Qt's bridge
# switched on.
bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
bus_pid=$(sed -n 2p <<<"$bus")
export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$bus")
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
launcher=$!
until dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1; do
  sleep 0.1
done
idle_cost floor_a11y "$idle" "${floor[0]}" "${a11y[@]}" "${floor[@]:1}"
idle_cost sky_floor_a11y "$idle" "${sky_floor[0]}" "${a11y[@]}" "${sky_floor[@]:1}"
idle_cost lunomat_a11y "$idle" "${lunomat[0]}" "${a11y[@]}" "${lunomat[@]:1}"
stop "$launcher"
kill "$bus_pid" 2>/dev/null || true
unset DBUS_SESSION_BUS_ADDRESS

# Minimized: only a window manager minimizes, so one runs for this row.
openbox >/dev/null 2>&1 &
wm=$!
sleep 1
(cd "$bin" && exec "${lunomat[@]:1}") >/dev/null 2>&1 &
pid=$!
window=$(xdotool search --sync --onlyvisible --name "${lunomat[0]}" | head -n 1)
sleep 1
xdotool windowminimize --sync "$window"
echo "minimized $(idle_percent "$idle") $(xprop -id "$window" WM_STATE | awk '/window state/ {print $3}')" >>"$results"
# Shown again, then covered whole by another window over all the screen.
xdotool windowactivate --sync "$window"
(cd "$bin" && exec ./bare_window) >/dev/null 2>&1 &
cover=$!
cover_window=$(xdotool search --sync --onlyvisible --name "Bare Qt window" | head -n 1)
xdotool windowsize --sync "$cover_window" 100% 100% windowmove --sync "$cover_window" 0 0 windowactivate --sync "$cover_window"
echo "covered $(idle_percent "$idle")" >>"$results"
stop "$cover"
stop "$pid"
stop "$wm"

# Opens and closes the secondary windows by their access keys, as a user
# does, and notes VmRSS after 10 and after 300 openings.
openings_rss() {
  local wm keys=(alt+j alt+m alt+i) names=("Vollmond" "Mondfinsternisse" "Programm- Informationen") i k win
  openbox >/dev/null 2>&1 &
  wm=$!
  sleep 0.5
  # Under a window manager the X server reports the map to the manager's
  # frame, not to map_wait; xdotool waits for the window instead.
  (cd "$bin" && exec "${lunomat[@]:1}") >/dev/null 2>&1 &
  pid=$!
  win=$(xdotool search --sync --onlyvisible --name "${lunomat[0]}" | head -n1)
  xdotool windowactivate --sync "$win"
  sleep 1
  for i in $(seq 1 300); do
    k=$(((i - 1) % 3))
    xdotool key "${keys[$k]}"
    until xdotool search --onlyvisible --name "${names[$k]}" >/dev/null 2>&1; do sleep 0.02; done
    xdotool key alt+F4
    while xdotool search --onlyvisible --name "${names[$k]}" >/dev/null 2>&1; do sleep 0.02; done
    [ "$i" -eq 10 ] && rss10=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  done
  sleep 1
  echo "openings $rss10 $(awk '/VmRSS/ {print $2}' "/proc/$pid/status")" >>"$results"
  stop "$pid"
  stop "$wm"
}
openings_rss

# --- the table --------------------------------------------------------------
awk -v idle="$idle" -v rounds="$rounds" '
function verdict(ok) { return ok ? "met" : "NOT MET" }
function floor(above, goal) { return (above ? "above " : "within ") goal }
$1 == "state"   { state = $2; libm = $3 }
$1 == "sweep"   { sweep = $2 }
$1 == "annual"  { annual = $2 }
$1 == "sky"     { phase = $2; phases = $3; eclipses = $4 }
$1 == "start"   { ts = $2; ls = $3; bs = $4; ds = $5 }
$1 == "drawn"   { tw = $2; lw = $3; bw = $4; dw = $5 }
$1 == "text"    { tc = $2; tm = $3 }
$1 == "floor"   { fc = $2 }
$1 == "sky_floor" { sfc = $2 }
$1 == "sky_floor_a11y" { sfac = $2 }
$1 == "lunomat" { lc = $2; lm = $3 }
$1 == "floor_a11y"   { fac = $2 }
$1 == "lunomat_a11y" { lac = $2 }
$1 == "minimized"    { mc = $2; ms = $3 }
$1 == "covered"      { cc = $2 }
$1 == "openings" { o10 = $2; o300 = $3 }
$1 ~ /^cli_/    { cs[$1] = $2; cm[$1] = $3 }
END {
  f = "%-30s %-13s %-28s %-8s %-9s %s\n"
  printf f, "measure", "Luno-Mat", "yardstick", "ratio", "goal", "result"
  printf f, "ComputeMoonState", sprintf("%.1f ns", state), sprintf("%.1f ns (bare libm calls)", libm), sprintf("%.2fx", state / libm), "<= 1.2x", verdict(state / libm <= 1.2)
  printf f, "display texts 1900-2100", sprintf("%.1f ms", sweep / 1e6), "-", "-", "< 50 ms", verdict(sweep < 50e6)
  printf f, "one annual phase table", sprintf("%.2f us", annual / 1e3), "-", "-", "< 5 us", verdict(annual < 5e3)
  printf f, "one phase instant", sprintf("%.2f us", phase / 1e3), "-", "-", "<= 2 us", verdict(phase <= 2e3)
  printf f, "all phases 1583-9999", sprintf("%.0f ms", phases / 1e6), "-", "-", "<= 1 s", verdict(phases <= 1e9)
  printf f, "all lunar eclipses 1583-9999", sprintf("%.0f ms", eclipses / 1e6), "-", "-", "<= 1 s", verdict(eclipses <= 1e9)
  printf f, "cli rise, one year, one place", cs["cli_rise"] " s", sprintf("peak %.1f MiB", cm["cli_rise"] / 1024), "-", "-", "-"
  printf f, "cli apsides 1583-9999 (CSV)", cs["cli_apsides"] " s", sprintf("peak %.1f MiB", cm["cli_apsides"] / 1024), "-", "-", "-"
  printf f, "cli phases 1583-9999 --ics -", cs["cli_ics"] " s", sprintf("peak %.1f MiB", cm["cli_ics"] / 1024), "-", "-", "-"
  printf f, "start-up (median of " rounds ")", ls " ms", ts " ms (text window)", sprintf("%.2fx", ls / ts), "<= 1.2x", verdict(ls / ts <= 1.2)
  printf f, "", "", bs " ms (empty window)", sprintf("%.2fx", ls / bs), "-", "-"
  printf f, "", "", ds " ms (design text window)", sprintf("%.2fx", ls / ds), "<= 1.2x", verdict(ls / ds <= 1.2)
  printf f, "  to the window drawn whole", lw " ms", tw " ms (text window)", sprintf("%.2fx", lw / tw), "-", "-"
  printf f, "", "", bw " ms (empty window)", sprintf("%.2fx", lw / bw), "-", "-"
  printf f, "", "", dw " ms (design text window)", sprintf("%.2fx", lw / dw), "-", "-"
  # What the design itself costs: the bare window with the design text
  # against the text window. Above 1.2x, a bare Qt window that lays out
  # these fields before its map does not start within 1.2x of the text window.
  printf f, "  floor: design text window", ds " ms", ts " ms (text window)", sprintf("%.2fx", ds / ts), "-", floor(ds / ts > 1.2, "1.2x")
  printf f, "    drawn whole", dw " ms", tw " ms (text window)", sprintf("%.2fx", dw / tw), "-", "-"
  printf f, "idle CPU over " idle " s", lc " %", fc " % (floor: 10 Hz)", sprintf("%.2fx", lc / fc), "<= 1.3x", verdict(lc <= 1.3 * fc)
  printf f, "", "", sfc " % (sky-sized floor)", sprintf("%.2fx", lc / sfc), "<= 1.3x", verdict(lc <= 1.3 * sfc)
  printf f, "  floor: sky-sized", sfc " %", fc " % (floor: 10 Hz)", sprintf("%.2fx", sfc / fc), "-", floor(sfc > 1.3 * fc, "1.3x")
  printf f, "  with accessibility bus", lac " %", fac " % (floor, same bus)", sprintf("%.2fx", lac / fac), "<= 1.3x", verdict(lac <= 1.3 * fac)
  printf f, "", "", sfac " % (sky-sized, same bus)", sprintf("%.2fx", lac / sfac), "<= 1.3x", verdict(lac <= 1.3 * sfac)
  printf f, "  floor: sky-sized, same bus", sfac " %", fac " % (floor, same bus)", sprintf("%.2fx", sfac / fac), "-", floor(sfac > 1.3 * fac, "1.3x")
  printf f, "  minimized (" ms ")", mc " %", tc " % (text window)", "-", "<= 0.05 %", verdict(mc <= 0.05)
  printf f, "  covered by another window", cc " %", tc " % (text window)", "-", "<= 0.05 %", verdict(cc <= 0.05)
  printf f, "peak RSS", sprintf("%.1f MiB", lm / 1024), sprintf("%.1f MiB (text window)", tm / 1024), sprintf("%.2fx", lm / tm), "<= 1.15x", verdict(lm / tm <= 1.15)
  printf f, "RSS after 300 openings", sprintf("%.1f MiB", o300 / 1024), sprintf("%.1f MiB (after 10)", o10 / 1024), sprintf("%+.0f KiB", o300 - o10), "<= +1 MiB", verdict(o300 - o10 <= 1024)
}' "$results"
