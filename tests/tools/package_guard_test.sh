#!/usr/bin/env bash
# The package guard fails when a package the work needs is taken out of
# scripts/setup.sh's list, even though it is installed on this machine, and
# passes with the list as it is. First on a given list of used files, then
# (as root) watching a real command.
#
#   package_guard_test.sh SOURCE_DIR
set -u
source=$(cd "${1:?source folder}" && pwd)
guard=("/usr/bin/python3" "$source/tools/package_guard.py")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
. "$source/testsupport/checks.sh"

# Two files the build and the sanitizer run need, each from a package that
# the list names and nothing else in it pulls in.
gio=$(dpkg -L libglib2.0-dev 2>/dev/null | grep '/gio-2.0.pc$')
symbolizer=$(readlink -f /usr/bin/llvm-symbolizer-14 2>/dev/null)
[ -f "$gio" ] && [ -f "$symbolizer" ] || { echo "SKIPPED: libglib2.0-dev or llvm-14 is not installed"; exit 77; }
printf '%s\n' "$gio" "exec $symbolizer" "exec /usr/bin/cmake" >"$tmp/used"
bash "$source/scripts/setup.sh" list test >"$tmp/full"

expect() {  # expect STATUS NAMED_PACKAGE DESCRIPTION COMMAND...
  local want=$1 named=$2 what=$3
  "${@:4}" >"$tmp/out" 2>&1
  local got=$?
  if [ $got -ne "$want" ]; then
    fail "$what: status $got, want $want: $(cat "$tmp/out")"
  elif [ -n "$named" ] && ! grep -q "^package guard: $named is used" "$tmp/out"; then
    fail "$what: does not name $named: $(cat "$tmp/out")"
  else
    ok "$what"
  fi
}
expect 0 "" "the list as it is" "${guard[@]}" check "$tmp/full" "$tmp/used"
for package in libglib2.0-dev llvm-14; do
  grep -v -x "$package" "$tmp/full" >"$tmp/short"
  expect 1 "$package" "without $package" "${guard[@]}" check "$tmp/short" "$tmp/used"
done

# Watching: needs root for a mount namespace and fanotify.
[ "$(id -u)" -eq 0 ] || { echo "SKIPPED: watching a command needs root"; exit 77; }
grep -v -x libglib2.0-dev "$tmp/full" >"$tmp/short"
expect 1 libglib2.0-dev "watched pkg-config without libglib2.0-dev" \
  "${guard[@]}" run "$tmp/short" -- pkg-config --cflags gio-2.0
expect 0 "" "watched pkg-config with the list" "${guard[@]}" run "$tmp/full" -- pkg-config --cflags gio-2.0
expect 3 "" "the command's own failure comes first" "${guard[@]}" run "$tmp/short" -- sh -c 'pkg-config --cflags gio-2.0; exit 3'
finish "package guard"
