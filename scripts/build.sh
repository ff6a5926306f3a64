#!/usr/bin/env bash
# Configures (once) and builds Luno-Mat in build/.
#   build.sh [--tests]
# Without --tests a new build folder is configured without the tests, which
# need more packages; with it, tests are switched on wherever they are off.
set -euo pipefail
cd "$(dirname "$0")/.."
testing=OFF
[ "${1:-}" = --tests ] && testing=ON
# Ninja's file is written last, so only a configure that finished leaves it:
# after a failed or interrupted one, configure again (the cache keeps what
# was found, and what was missing is looked for anew).
if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=$testing
elif [ $testing = ON ] && ! grep -q '^BUILD_TESTING:BOOL=ON$' build/CMakeCache.txt; then
  cmake -S . -B build -DBUILD_TESTING=ON
fi
cmake --build build -j2
