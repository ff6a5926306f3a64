#!/usr/bin/env bash
# The Debian packages as a packager and a user meet them: built with CPack
# from a finished build, checked by lintian (no error, no warning), lunomat
# installed alone with apt (no browser engine, no Qt Multimedia pulled in),
# then lunomat-browser beside it, both purged again, leaving the system's
# file list and package set as they were.
# Changes the system: root only, meant for CI and throw-away machines.
#
#   deb_roundtrip.sh BUILD_DIR
set -u
export LC_ALL=C.UTF-8 DEBIAN_FRONTEND=noninteractive
build=$(cd "${1:?build folder}" && pwd)
[ "$(id -u)" -eq 0 ] || { echo "deb_roundtrip: needs root to install packages; skipped"; exit 0; }
fails=0
ok() { echo "ok: $*"; }
fail() { echo "FAILED: $*"; fails=$((fails + 1)); }

tmp=$(mktemp -d /tmp/lunomat-deb.XXXXXX)
chmod 755 "$tmp"  # apt reads the packages as its own unprivileged user
# Files a package may touch; caches that triggers rebuild for any package are
# no trace of ours.
snapshot() {
  find /usr /etc /opt /var/lib/dpkg/info -xdev 2>/dev/null \
    | grep -v -e '/__pycache__' -e '^/usr/share/applications/mimeinfo.cache$' \
              -e '^/usr/share/icons/[^/]*/icon-theme.cache$' -e '^/etc/ld.so.cache$' | LC_ALL=C sort
}
packages() { dpkg-query -W -f '${Package} ${db:Status-Status}\n' | awk '$2 == "installed" {print $1}' | LC_ALL=C sort; }
purge() {
  apt-get purge -y -q lunomat lunomat-browser >"$tmp/purge.log" 2>&1
  local pulled
  pulled=$(comm -13 "$tmp/packages-before.txt" <(packages))
  # shellcheck disable=SC2086
  [ -z "$pulled" ] || apt-get purge -y -q $pulled >>"$tmp/purge.log" 2>&1
}
trap 'purge; rm -rf "$tmp"' EXIT
apt-get purge -y -q lunomat lunomat-browser >/dev/null 2>&1  # left from an interrupted run
snapshot >"$tmp/before.txt"
packages >"$tmp/packages-before.txt"

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp" >"$tmp/cpack.log" 2>&1 \
  || { cat "$tmp/cpack.log"; echo "FAILED: cpack -G DEB"; exit 1; }
main=$(ls "$tmp"/lunomat_*.deb) browser=$(ls "$tmp"/lunomat-browser_*.deb)
ok "built $(basename "$main") and $(basename "$browser")"
# Pedantic notes (P:) and informational ones (I:) are advice; a warning or an
# error is a fault.
lintian -i -E --pedantic "$main" "$browser" >"$tmp/lintian.log" 2>&1
grep -q '^[EW]:' "$tmp/lintian.log" && { cat "$tmp/lintian.log"; fail "lintian"; } \
  || ok "lintian: $(grep -c '^[A-Z]:' "$tmp/lintian.log") notes, no error or warning"
[ "$(dpkg-deb -f "$main" Recommends)" = "lunomat-browser, libcanberra-pulse" ] \
  || fail "lunomat recommends '$(dpkg-deb -f "$main" Recommends)'"

install() {
  apt-get install -y -q "$@" >"$tmp/install.log" 2>&1 \
    || { apt-get update -q >/dev/null 2>&1; apt-get install -y -q "$@" >"$tmp/install.log" 2>&1; } \
    || { cat "$tmp/install.log"; return 1; }
}
install "$main" && ok "apt-get install lunomat" || fail "apt-get install lunomat"
heavy=$(comm -13 "$tmp/packages-before.txt" <(packages) | grep -E 'webengine|multimedia|gstreamer|libav')
[ -z "$heavy" ] || fail "lunomat pulled in $heavy"
unresolved=$(for f in $(dpkg -L lunomat); do
  [ -f "$f" ] && [ ! -L "$f" ] && head -c 4 "$f" | grep -q ELF && ldd "$f" | grep 'not found' | sed "s|^|$f: |"
done)
[ -z "$unresolved" ] || fail "unresolved libraries: $unresolved"
[ -f /usr/share/qt6/translations/qtbase_de.qm ] || fail "no German Qt translation installed"
install "$browser" && [ -x /usr/libexec/lunomat/lunomat-browser ] && ok "apt-get install lunomat-browser" \
  || fail "apt-get install lunomat-browser"
unresolved=$(ldd /usr/libexec/lunomat/lunomat-browser | grep 'not found')
[ -z "$unresolved" ] || fail "browser helper: $unresolved"

purge
left=$(diff "$tmp/before.txt" <(snapshot))
[ -z "$left" ] && ok "purged; file list as before ($(wc -l <"$tmp/before.txt") entries)" || fail "file list changed: $left"
[ $fails -eq 0 ] || { echo "deb_roundtrip: $fails check(s) failed"; exit 1; }
echo "deb_roundtrip: all passed"
