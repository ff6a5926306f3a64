#!/usr/bin/env bash
# Installs on Debian 12 what Luno-Mat needs for one purpose, and nothing when
# it is all there already:
#   setup.sh run    building and running the program (scripts/run.sh)
#   setup.sh test   that, and everything the tests, the sanitizer and fuzz
#                   runs, the package checks and the measurements use
#   setup.sh list run|test   prints the packages of that list, one a line
# Only packages named here (and what they depend on) may be used by the
# build and the tests: CI checks that (scripts/package_guard.sh).
set -euo pipefail

run=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools
  qt6-qpa-plugins qt6-translations-l10n libgl-dev libxkbcommon-dev libcanberra-dev libglib2.0-dev libfontconfig-dev
  fonts-liberation2 fonts-dejavu-core
)
test=(
  libgtest-dev libgmock-dev libbenchmark-dev libxdamage-dev
  xvfb xauth xdotool openbox x11-xkb-utils imagemagick poppler-utils python3 python3-icalendar
  clang-14 libclang-rt-14-dev llvm-14 clang-format-14 clang-tidy-14
  dpkg-dev file desktop-file-utils appstream lintian strace gdb bash-completion
  python3-ephem khal time
)

list=0
[ "${1:-}" = list ] && { list=1; shift; }
case "${1:-}" in
  run) packages=("${run[@]}") ;;
  test) packages=("${run[@]}" "${test[@]}") ;;
  *) echo "usage: $0 [list] run|test" >&2; exit 2 ;;
esac
if ((list)); then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
  apt=(env DEBIAN_FRONTEND=noninteractive apt-get -y -q)
  # An install that was interrupted (power, Ctrl+C) leaves packages unpacked
  # but not configured, or dependencies half there; finish that first, or
  # apt refuses to install anything.
  as_root env DEBIAN_FRONTEND=noninteractive dpkg --configure -a
  as_root "${apt[@]}" update
  as_root "${apt[@]}" install --fix-broken --no-install-recommends "${missing[@]}"
fi
