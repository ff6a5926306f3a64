#!/usr/bin/env bash
# Installs on Debian 12 what Luno-Mat needs for one purpose, and nothing when
# it is all there already:
#   setup.sh run    building and running the program (scripts/run.sh)
#   setup.sh test   that, and everything the tests, the sanitizer and fuzz
#                   runs, the package checks and the measurements use
set -euo pipefail

run=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools
  qt6-qpa-plugins qt6-translations-l10n libgl-dev libxkbcommon-dev libcanberra-dev libfontconfig-dev
  fonts-liberation2 fonts-dejavu-core
)
test=(
  libgtest-dev libgmock-dev libbenchmark-dev libxdamage-dev
  xvfb xauth xdotool openbox x11-xkb-utils imagemagick poppler-utils python3 python3-icalendar
  clang-14 libclang-rt-14-dev
  dpkg-dev file desktop-file-utils appstream lintian strace gdb
)

case "${1:-}" in
  run) packages=("${run[@]}") ;;
  test) packages=("${run[@]}" "${test[@]}") ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
