#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz/ and runs each for a bounded time.
#
#   scripts/fuzz.sh [SECONDS [TARGET ...]]
#
# SECONDS per target (default 25); TARGET one of display, cli, date_fields
# (default all). FUZZ_JOBS=2 runs two targets at a time. Each
# target starts from its seeds in fuzz/corpus/<target>/ and keeps what it
# learns in build-fuzz/corpus/<target>/; an input that breaks something is
# kept in build-fuzz/findings/<target>/ and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-25}
shift || true
targets=("$@")
((${#targets[@]})) || targets=(display cli date_fields)
jobs=${FUZZ_JOBS:-1}

[ -f build-fuzz/build.ninja ] || cmake --preset fuzz >/dev/null
mkdir -p build-fuzz
cmake --build --preset fuzz -j2 >build-fuzz/build.log 2>&1 || { cat build-fuzz/build.log >&2; exit 1; }

export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

run_one() {
    local t=$1 work=build-fuzz/corpus/$1 found=build-fuzz/findings/$1
    mkdir -p "$work" "$found"
    local log=build-fuzz/fuzz-$t.log
    # -timeout: one input taking seconds is a finding too (a loop that does
    # not end); -rss_limit_mb: the window target keeps one Qt session.
    if build-fuzz/bin/fuzz_"$t" "$work" "fuzz/corpus/$t" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$found/" >"$log" 2>&1; then
        printf '%-12s %9s runs  %6s/s  nothing found\n' "$t" \
            "$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")" \
            "$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")"
    else
        echo "$t: FINDING, see $log and $found/" >&2
        grep -E 'ERROR|property broken|SUMMARY' "$log" | head -5 >&2
        return 1
    fi
}

status=0
pids=()
for t in "${targets[@]}"; do
    run_one "$t" &
    pids+=($!)
    if ((${#pids[@]} >= jobs)); then
        wait "${pids[0]}" || status=1
        pids=("${pids[@]:1}")
    fi
done
for p in "${pids[@]}"; do wait "$p" || status=1; done
exit $status
