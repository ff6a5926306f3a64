#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
scripts/build.sh --tests
cd build
ctest --output-on-failure -j2

# Once per CI run (or with LUNOMAT_DEB_TEST=1): the Debian package is built,
# installed with apt, started and purged again. Needs root.
if [ "${CI:-}" = true ] || [ "${LUNOMAT_DEB_TEST:-0}" = 1 ]; then
  bash ../tests/packaging/deb_roundtrip.sh .
fi
# The same suite again under AddressSanitizer and UndefinedBehaviorSanitizer,
# then every fuzz target for a bounded time (LUNOMAT_FUZZ_SECONDS each).
cd ..
scripts/sanitize.sh
FUZZ_JOBS=2 scripts/fuzz.sh "${LUNOMAT_FUZZ_SECONDS:-20}"
