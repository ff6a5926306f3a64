#!/usr/bin/env bash
# The menu entry and the software-centre description: accepted by the
# freedesktop and AppStream validators where those are installed, and in step
# with each other, with the icons and with the project version.
#
#   metadata_test.sh DESKTOP_FILE METAINFO_FILE ICON_ROOT VERSION
# Exit 77 (skipped) when no validator is installed and the rest passed.
set -u
desktop=$1
metainfo=$2
icons=$3
version=$4

fails=0
fail() { echo "FAILED: $*"; fails=$((fails + 1)); }
ok() { echo "ok: $*"; }
key() { sed -n "s/^$1=//p" "$desktop" | head -n1; }

validators=0
if command -v desktop-file-validate >/dev/null; then
  validators=$((validators + 1))
  # Hints are advice (two main categories are wanted here); warnings and
  # errors are faults.
  out=$(desktop-file-validate "$desktop" 2>&1)
  rc=$?
  issues=$(printf '%s\n' "$out" | grep -E ': (error|warning): ' || true)
  [ $rc -eq 0 ] && [ -z "$issues" ] && ok "desktop-file-validate" || fail "desktop-file-validate: $out"
else
  echo "skipped: desktop-file-validate not installed"
fi
if command -v appstreamcli >/dev/null; then
  validators=$((validators + 1))
  out=$(appstreamcli validate --no-net "$metainfo" 2>&1)
  rc=$?
  [ $rc -eq 0 ] && ok "appstreamcli validate --no-net" || fail "appstreamcli validate: $out"
  printf '%s\n' "$out" | grep -q '^W:' && fail "appstreamcli warns: $out"
else
  echo "skipped: appstreamcli not installed"
fi

# The entry a German desktop shows.
[ "$(key Type)" = Application ] || fail "Type is '$(key Type)'"
[ "$(key Categories)" = "Education;Science;Astronomy;" ] || fail "Categories are '$(key Categories)'"
[ "$(key Exec)" = lunomat ] || fail "Exec is '$(key Exec)'"
[ "$(key Terminal)" = false ] || fail "Terminal is '$(key Terminal)'"
case "$(key Comment)" in *Mond*) ;; *) fail "Comment '$(key Comment)' is not the German description" ;; esac
[ -n "$(key Name)" ] || fail "no Name"

# The icon the entry names exists in the sizes menus and software centres ask for.
icon=$(key Icon)
for size in 16 22 24 32 48 64 128 256; do
  [ -f "$icons/${size}x${size}/apps/$icon.png" ] || fail "icon '$icon' missing in ${size}x${size}"
done

# The description points at this entry and carries this version.
python3 - "$metainfo" "$(basename "$desktop")" "$version" "$(key Name)" <<'EOF' || fails=$((fails + 1))
import sys, xml.etree.ElementTree as ET
path, desktop_id, version, name = sys.argv[1:]
root = ET.parse(path).getroot()
problems = []
launch = [l.text for l in root.findall("launchable[@type='desktop-id']")]
if launch != [desktop_id]:
    problems.append(f"launchable {launch} is not {desktop_id}")
if root.findtext("id") + ".desktop" != desktop_id:
    problems.append(f"id {root.findtext('id')} does not match the entry {desktop_id}")
releases = [r.get("version") for r in root.findall("releases/release")]
if not releases or releases[0] != version:
    problems.append(f"newest release {releases[:1]} is not {version}")
if root.findtext("name") != name:
    problems.append(f"name {root.findtext('name')!r} differs from the entry's {name!r}")
shots = root.findall("screenshots/screenshot/image")
if not shots or "@" in shots[0].text or not shots[0].text.startswith(("http://", "https://")):
    problems.append("no usable screenshot address")
if root.find("content_rating") is None:
    problems.append("no content rating")
binaries = {b.text for b in root.findall("provides/binary")}
if binaries != {"lunomat", "lunomat-cli"}:
    problems.append(f"provided binaries {sorted(binaries)}")
for p in problems:
    print("FAILED:", p)
sys.exit(1 if problems else 0)
EOF

if [ $fails -ne 0 ]; then
  echo "$fails check(s) failed"
  exit 1
fi
echo "menu entry and metainfo consistent"
[ $validators -gt 0 ] || exit 77
