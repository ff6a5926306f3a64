#!/usr/bin/env bash
# The Debian packages as a packager and a user meet them: built with CPack
# from a finished build and checked by lintian (no error, no warning, no
# hardening tag); lunomat installed alone with apt and without recommends
# (no browser engine, no Qt Multimedia pulled in; what a plain install would
# add is told apart, by simulation); lunomat-browser beside it, removed with
# lunomat; both purged again, leaving none of their files, maintainer
# scripts or pulled-in packages behind.
# Only what our own packages install is judged: files that the
# dependencies' install scripts make (/etc/machine-id, …) are theirs.
#
# Changes the system, so it runs only as root and when asked (CI=true or
# LUNOMAT_DEB_TEST=1); otherwise it exits with 77, which ctest reports as
# skipped.
#
#   deb_roundtrip.sh BUILD_DIR SOURCE_DIR
set -u
export LC_ALL=C.UTF-8 DEBIAN_FRONTEND=noninteractive
skip() { echo "deb_roundtrip: SKIPPED: $*"; exit 77; }
[ "${CI:-}" = true ] || [ "${LUNOMAT_DEB_TEST:-0}" = 1 ] \
  || skip "installs packages on this system; set LUNOMAT_DEB_TEST=1 (CI does) to run it"
[ "$(id -u)" -eq 0 ] || skip "needs root to install packages"
build=$(cd "${1:?build folder}" && pwd)
source=$(cd "${2:?source folder}" && pwd)
. "$source/testsupport/checks.sh"

tmp=$(mktemp -d /tmp/lunomat-deb.XXXXXX)
chmod 755 "$tmp"  # apt reads the packages as its own unprivileged user
packages() { dpkg-query -W -f '${Package} ${db:Status-Status}\n' | awk '$2 == "installed" {print $1}' | LC_ALL=C sort; }
ours() { dpkg-query -W -f '${Package} ${db:Status-Status}\n' lunomat lunomat-browser 2>/dev/null | awk '$2 != "not-installed" {print $1}'; }
purge() {
  apt-get purge -y -q lunomat lunomat-browser >"$tmp/purge.log" 2>&1
  local pulled
  pulled=$(comm -13 "$tmp/packages-before.txt" <(packages))
  # shellcheck disable=SC2086
  [ -z "$pulled" ] || apt-get purge -y -q $pulled >>"$tmp/purge.log" 2>&1
}
trap 'purge; rm -rf "$tmp"' EXIT
apt-get purge -y -q lunomat lunomat-browser >/dev/null 2>&1  # left from an interrupted run
packages >"$tmp/packages-before.txt"

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp" >"$tmp/cpack.log" 2>&1 \
  || { cat "$tmp/cpack.log"; echo "FAILED: cpack -G DEB"; exit 1; }
main=$(ls "$tmp"/lunomat_*.deb) browser=$(ls "$tmp"/lunomat-browser_*.deb)
version=$(dpkg-deb -f "$main" Version)
ok "built $(basename "$main") and $(basename "$browser")"

# lintian: an error or a warning is a fault, and so is any hardening tag at
# any level; pedantic notes and information are advice.
lintian --pedantic -I "$main" "$browser" >"$tmp/lintian.log" 2>&1
if grep -q -e '^[EW]:' -e 'hardening' "$tmp/lintian.log"; then
  cat "$tmp/lintian.log"; fail "lintian"
else
  ok "lintian: $(grep -c '^[A-Z]:' "$tmp/lintian.log") notes, no error, warning or hardening tag"
fi
[ "$(dpkg-deb -f "$main" Recommends)" = "lunomat-browser, libcanberra-pulse" ] \
  || fail "lunomat recommends '$(dpkg-deb -f "$main" Recommends)'"
grep -q "lunomat (= $version)" <<<"$(dpkg-deb -f "$browser" Depends)" \
  || fail "lunomat-browser depends on '$(dpkg-deb -f "$browser" Depends)', not on lunomat (= $version)"

# What installing costs on a minimal Debian 12, without and with recommends
# (simulated over that base; nothing is installed for this).
for how in "" --recommends; do
  ok "apt install ${how:+(plain, with recommends) }of lunomat: $(python3 "$source/packaging/closure.py" $how "$main")"
done

install() {
  apt-get install -y -q --no-install-recommends "$@" >"$tmp/install.log" 2>&1 \
    || { apt-get update -q >/dev/null 2>&1; apt-get install -y -q --no-install-recommends "$@" >"$tmp/install.log" 2>&1; } \
    || { cat "$tmp/install.log"; return 1; }
}
install "$main" && ok "apt-get install --no-install-recommends lunomat" || fail "apt-get install lunomat"
pulled=$(comm -13 "$tmp/packages-before.txt" <(packages) | grep -v -x lunomat)
ok "lunomat pulled in $(wc -w <<<"$pulled") packages here"
heavy=$(grep -E 'webengine|multimedia|gstreamer|libav' <<<"$pulled")
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

# Everything our packages own: their files (not the folders they share with
# others) and their maintainer scripts.
owned=$( { dpkg -L lunomat lunomat-browser; ls -d /var/lib/dpkg/info/lunomat.* /var/lib/dpkg/info/lunomat-browser.*; } \
  2>/dev/null | while IFS= read -r f; do [ -d "$f" ] && [ ! -L "$f" ] || echo "$f"; done | LC_ALL=C sort -u)
ok "lunomat and lunomat-browser own $(wc -l <<<"$owned") files"

# The helper cannot stay without the program it belongs to.
apt-get remove -y -q lunomat >"$tmp/remove.log" 2>&1 || { cat "$tmp/remove.log"; fail "apt-get remove lunomat"; }
[ "$(dpkg-query -W -f '${db:Status-Status}' lunomat-browser 2>/dev/null)" != installed ] \
  && ok "apt-get remove lunomat removed lunomat-browser too" || fail "lunomat-browser stayed after apt-get remove lunomat"

purge
left=$(while IFS= read -r f; do [ -e "$f" ] || [ -L "$f" ] && echo "$f"; done <<<"$owned")
[ -z "$left" ] && ok "purged; none of their files left" || fail "left after purge: $left"
[ -z "$(ours)" ] || fail "still known to dpkg: $(ours)"
[ "$(packages)" = "$(cat "$tmp/packages-before.txt")" ] && ok "package set as before" \
  || fail "package set changed: $(diff "$tmp/packages-before.txt" <(packages))"
finish deb_roundtrip
