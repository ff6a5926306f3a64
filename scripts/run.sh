#!/usr/bin/env bash
# Installs what is missing, builds and starts Luno-Mat.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh run
scripts/build.sh
exec build/bin/lunomat
