#!/usr/bin/env bash
# Time and peak memory of lunomat-cli's longest sky commands, one line each:
#   NAME SECONDS PEAK_KIB
# rise: one year at one place; apsides: 1583-9999 as CSV; phases: 1583-9999
# as a calendar file on standard output. Output goes to /dev/null; peak
# memory is the largest resident set (GNU time's %M).
# Usage: bench/cli_bench.sh LUNOMAT_CLI
set -euo pipefail
cli=$(realpath "$1")
export TZ=Europe/Berlin
measure() {
  local name=$1
  shift
  /usr/bin/time -f "$name %e %M" -o /dev/stderr "$cli" "$@" 2>&1 >/dev/null | tail -n 1
}
measure cli_rise rise 1.1.2024 31.12.2024 --place 52.52,13.40 --format csv
measure cli_apsides apsides 1583 9999 --format csv
measure cli_ics phases 1583 9999 --ics -
