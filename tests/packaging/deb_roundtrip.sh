#!/usr/bin/env bash
# The Debian package as a user meets it: built with CPack from a finished
# build, installed with apt (which must find every dependency from the
# package's own list), the installed programs started from the PATH, then
# purged again, leaving the system's file list as it was before.
# Changes the system: root only, meant for CI and throw-away machines.
#
#   deb_roundtrip.sh BUILD_DIR [gui]
set -u
export LC_ALL=C.UTF-8 DEBIAN_FRONTEND=noninteractive
build=$(cd "${1:?build folder}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

passed=0 failed=0
ok() { echo "ok: $*"; passed=$((passed + 1)); }
fail() { echo "FAILED: $*"; failed=$((failed + 1)); }

# --- The installed desktop program under an X server (second stage) ---------
if [ "${2:-}" = gui ]; then
  openbox >/dev/null 2>&1 &
  wm=$!
  sleep 0.5
  program=$(command -v lunomat)
  [ "$program" = /usr/bin/lunomat ] || { echo "FAILED: lunomat on the PATH is '$program'"; exit 1; }
  (cd / && exec env LANG=de_DE.UTF-8 lunomat) &
  pid=$!
  trap 'kill $pid $wm 2>/dev/null' EXIT
  win=""
  for _ in $(seq 1 150); do
    win=$(xdotool search --onlyvisible --name "^ Luno-Mat   -   Version" 2>/dev/null | head -n1)
    [ -n "$win" ] && break
    sleep 0.1
  done
  [ -n "$win" ] || { echo "FAILED: no main window"; exit 1; }
  caption=$(xdotool getwindowname "$win")
  [ "$caption" = " Luno-Mat   -   Version:  1.0.5    Build:  5.0.002   ( Lunoskop )" ] \
    || { echo "FAILED: caption '$caption'"; exit 1; }
  exe=$(readlink "/proc/$pid/exe")
  [ "$exe" = /usr/lib/lunomat/lunomat ] || { echo "FAILED: running program is $exe"; exit 1; }
  sleep 0.5
  xdotool windowactivate --sync "$win" 2>/dev/null
  xdotool key alt+o
  for _ in $(seq 1 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  kill -0 $pid 2>/dev/null && { echo "FAILED: Alt+O did not end the program"; exit 1; }
  wait $pid
  status=$?
  [ $status -eq 0 ] || { echo "FAILED: exit status $status"; exit 1; }
  echo "main window '$caption' from $exe, ended with status 0"
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "deb_roundtrip: needs root to install the package; skipped"
  exit 0
fi

start=$SECONDS
tmp=$(mktemp -d /tmp/lunomat-deb.XXXXXX)
chmod 755 "$tmp"  # apt reads the package as its own unprivileged user

# Files, links and folders a package may touch. Caches that other packages'
# triggers rebuild whenever anything is installed are no trace of ours.
snapshot() {
  find /usr /etc /opt /var/lib/dpkg/info -xdev 2>/dev/null \
    | grep -v -e '/__pycache__' -e '^/usr/share/applications/mimeinfo.cache$' \
              -e '^/usr/share/icons/[^/]*/icon-theme.cache$' -e '^/etc/ld.so.cache$' \
    | LC_ALL=C sort
}
packages() { dpkg-query -W -f '${Package}:${Architecture} ${db:Status-Status}\n' | awk '$2 == "installed" {print $1}' | LC_ALL=C sort; }
installed() { dpkg-query -W -f '${db:Status-Status}' lunomat 2>/dev/null | grep -q '^installed$'; }

# A package left from an earlier, interrupted run would spoil the baseline.
if dpkg-query -W lunomat >/dev/null 2>&1; then
  echo "removing a lunomat package left installed before this run"
  apt-get purge -y -q lunomat >/dev/null
fi

snapshot >"$tmp/before.txt"
packages >"$tmp/packages-before.txt"

purge() {
  if dpkg-query -W lunomat >/dev/null 2>&1; then
    apt-get purge -y -q lunomat >"$tmp/purge.log" 2>&1 || cat "$tmp/purge.log"
  fi
  # Whatever apt brought in for the package goes with it.
  packages >"$tmp/packages-after.txt"
  local pulled
  pulled=$(comm -13 "$tmp/packages-before.txt" "$tmp/packages-after.txt")
  if [ -n "$pulled" ]; then
    echo "purging what the package pulled in: $(echo $pulled)"
    # shellcheck disable=SC2086
    apt-get purge -y -q $pulled >>"$tmp/purge.log" 2>&1 || cat "$tmp/purge.log"
  fi
}
cleanup() {
  purge
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

# --- Build -------------------------------------------------------------------
t=$SECONDS
if cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp" >"$tmp/cpack.log" 2>&1; then
  deb=$(ls "$tmp"/lunomat_*.deb)
  ok "built $(basename "$deb") ($(stat -c %s "$deb") bytes) in $((SECONDS - t)) s"
else
  cat "$tmp/cpack.log"
  fail "cpack -G DEB"
  echo "deb_roundtrip: $passed passed, $failed failed"
  exit 1
fi
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libqt6widgets6 libqt6multimedia6 libqt6webenginewidgets6 qt6-qpa-plugins fonts-liberation2; do
  case ", $depends," in *", $needed "*|*", $needed,"*) ;; *) fail "Depends lacks $needed" ;; esac
done

# --- Install -----------------------------------------------------------------
t=$SECONDS
if ! apt-get install -y -q --no-install-recommends "$deb" >"$tmp/install.log" 2>&1; then
  # A machine whose package lists are old or empty: refresh once.
  apt-get update -q >/dev/null 2>&1
  apt-get install -y -q --no-install-recommends "$deb" >"$tmp/install.log" 2>&1 || cat "$tmp/install.log"
fi
if installed; then
  ok "apt-get install in $((SECONDS - t)) s"
else
  fail "apt-get install"
  echo "deb_roundtrip: $passed passed, $failed failed"
  exit 1
fi
# Every library of every installed program resolves.
unresolved=$(for f in $(dpkg -L lunomat); do
  [ -f "$f" ] && [ ! -L "$f" ] && head -c 4 "$f" | grep -q ELF && ldd "$f" | grep 'not found' | sed "s|^|$f: |"
done)
[ -z "$unresolved" ] && ok "all libraries of the installed programs found" || fail "unresolved: $unresolved"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate /usr/share/applications/org.lunomat.Lunomat.desktop >/dev/null 2>&1 \
    && ok "installed menu entry valid" || fail "installed menu entry invalid"
fi

# --- Run -----------------------------------------------------------------------
expected=$(cat "$here/phase-29.07.2009.txt")
out=$(cd / && lunomat-cli phase 29.07.2009 2>&1)
[ "$out" = "$expected" ] && ok "lunomat-cli phase 29.07.2009 prints its six lines" || fail "lunomat-cli printed: $out"

if xvfb-run -a -s "-screen 0 1280x1024x24" bash "$here/deb_roundtrip.sh" "$build" gui >"$tmp/gui.log" 2>&1; then
  ok "$(tail -n1 "$tmp/gui.log")"
else
  cat "$tmp/gui.log"
  fail "installed program under X"
fi

# --- Purge -------------------------------------------------------------------
t=$SECONDS
purge
if installed || dpkg-query -W lunomat >/dev/null 2>&1; then
  fail "lunomat still known to dpkg after purge"
else
  ok "apt-get purge in $((SECONDS - t)) s"
fi
snapshot >"$tmp/after.txt"
left=$(diff "$tmp/before.txt" "$tmp/after.txt")
[ -z "$left" ] && ok "file list after purge equals the one before ($(wc -l <"$tmp/before.txt") entries)" \
  || fail "file list changed: $left"

echo "deb round trip took $((SECONDS - start)) s"
echo "deb_roundtrip: $passed passed, $failed failed"
[ $failed -eq 0 ]
