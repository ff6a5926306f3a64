#!/usr/bin/env bash
# The steps of scripts/test.sh once everything is installed: build with the
# tests, run them, run them again under AddressSanitizer and
# UndefinedBehaviorSanitizer, and let every fuzz target run for a bounded
# time (LUNOMAT_FUZZ_SECONDS each), and check the code's layout and
# clang-tidy profile (scripts/lint.sh). Tests labelled "system" are left out.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh --tests
(cd build && ctest --output-on-failure -j2 -LE system)
scripts/lint.sh
scripts/sanitize.sh
FUZZ_JOBS=2 scripts/fuzz.sh "${LUNOMAT_FUZZ_SECONDS:-20}"
