#!/usr/bin/env bash
# Installs the build with DESTDIR at an unusual prefix (blanks, umlaut) and
# checks the installed tree as a user would meet it: the layout, the links on
# the PATH, the command-line tool and the desktop program started through
# its link, which must take every picture from the installed program folder
# and start its browser helper from there too.
#
#   install_test.sh BUILD_DIR SOURCE_DIR [gui]
set -u
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)

fails=0
fail() { echo "FAILED: $*"; fails=$((fails + 1)); }
ok() { echo "ok: $*"; }

tmp=$(mktemp -d /tmp/lunomat-install.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
prefix="/opt/Mond Rechner ü"
stage="$tmp/stage"
root="$stage$prefix"
progdir="$root/lib/lunomat"

if ! DESTDIR="$stage" cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1; then
  cat "$tmp/install.log"
  echo "FAILED: cmake --install"
  exit 1
fi
# Nothing may land outside the prefix.
outside=$(cd "$stage" && find . -mindepth 1 \( -type f -o -type l \) | grep -v "^\.$prefix/" || true)
[ -z "$outside" ] && ok "everything below the prefix" || fail "installed outside the prefix: $outside"

# --- Layout -----------------------------------------------------------------
for program in lunomat lunomat-cli; do
  link="$root/bin/$program"
  if [ ! -L "$link" ]; then
    fail "bin/$program is not a link"
    continue
  fi
  target=$(readlink "$link")
  case "$target" in /*) fail "bin/$program points to an absolute path $target (not movable)" ;; esac
  [ "$(readlink -f "$link")" = "$(readlink -f "$progdir/$program")" ] && [ -x "$progdir/$program" ] \
    && ok "bin/$program -> $target" || fail "bin/$program does not lead to the program folder"
done

# Every picture, frame and sound of the build sits unchanged in the folder.
missing=0
while IFS= read -r -d '' f; do
  rel=${f#"$source/assets/"}
  cmp -s "$f" "$progdir/$rel" || { fail "asset $rel missing or different"; missing=1; }
done < <(find "$source/assets" -type f -print0)
[ $missing -eq 0 ] && ok "all $(find "$source/assets" -type f | wc -l) asset files in the program folder"

# Every program and module of the build's program folder is installed; the
# modules are loaded by name from there, so a missing one only shows as lost
# sound or printing. Test programs stay out.
is_elf() { [ "$(head -c 4 "$1" | od -An -c | tr -d ' ')" = "177ELF" ]; }
for f in "$build"/bin/*; do
  [ -f "$f" ] && is_elf "$f" || continue
  name=$(basename "$f")
  case "$name" in
    *.so) [ -f "$progdir/$name" ] && ok "module $name installed" || fail "module $name not installed" ;;
  esac
done
for name in lunomat lunomat-browser lunomat-cli; do
  [ -x "$progdir/$name" ] || fail "program $name not installed"
done
for f in "$progdir"/*; do
  [ -f "$f" ] && is_elf "$f" || continue
  name=$(basename "$f")
  [ -f "$build/bin/$name" ] || fail "$name installed but not built into the program folder"
  case "$name" in *test*|*bench*|*fuzz*) fail "developer program $name installed" ;; esac
done

for size in 16 22 24 32 48 64 128 256; do
  icon="$root/share/icons/hicolor/${size}x${size}/apps/lunomat.png"
  [ -f "$icon" ] || { fail "no ${size}x${size} icon"; continue; }
  dims=$(python3 -c "import struct,sys; d=open(sys.argv[1],'rb').read(24); print('%dx%d' % struct.unpack('>II', d[16:24]))" "$icon")
  [ "$dims" = "${size}x${size}" ] || fail "${size}x${size} icon is $dims"
done
desktop="$root/share/applications/org.lunomat.Lunomat.desktop"
metainfo="$root/share/metainfo/org.lunomat.Lunomat.metainfo.xml"
[ -f "$desktop" ] && [ -f "$metainfo" ] && ok "menu entry and metainfo installed" || fail "menu entry or metainfo missing"
if command -v appstreamcli >/dev/null; then
  # Checks the metainfo against the installed menu entry and icons.
  appstreamcli validate-tree --no-net "$root" >"$tmp/tree.log" 2>&1 \
    && ok "appstreamcli validate-tree" || { cat "$tmp/tree.log"; fail "appstreamcli validate-tree"; }
fi

# --- The command-line tool through its link ----------------------------------
expected=$(cat "$source/tests/packaging/phase-29.07.2009.txt")
out=$(cd "$tmp" && env -i PATH="$root/bin:/usr/bin:/bin" lunomat-cli phase 29.07.2009 2>&1)
[ "$out" = "$expected" ] && ok "lunomat-cli phase 29.07.2009 from the PATH" \
  || fail "lunomat-cli printed: $out"

# --- The desktop program through its link ------------------------------------
gui() {
  openbox >/dev/null 2>&1 &
  wm=$! pid="" helper=""
  trap 'kill $helper $pid $wm 2>/dev/null; rm -rf "$tmp"' EXIT
  sleep 0.5
  # Started from another folder, through the link, as the menu entry does.
  (cd "$tmp" && exec env PATH="$root/bin:$PATH" LANG=de_DE.UTF-8 \
     strace -qq -e trace=openat -e status=successful -o "$tmp/open.log" lunomat) &
  local tracer=$!
  local caption=" Luno-Mat   -   Version:  1.0.5    Build:  5.0.002   ( Lunoskop )" win=""
  for _ in $(seq 1 150); do
    win=$(xdotool search --onlyvisible --name "^ Luno-Mat   -   Version" 2>/dev/null | head -n1)
    [ -n "$win" ] && break
    sleep 0.1
  done
  pid=$(ps --ppid $tracer -o pid= | tr -d ' ')
  if [ -z "$win" ]; then
    fail "installed program showed no main window"
    return
  fi
  [ "$(xdotool getwindowname "$win")" = "$caption" ] && ok "main window with its caption" \
    || fail "caption is '$(xdotool getwindowname "$win")'"
  sleep 1  # a few star-sky frames

  # The moon-zodiac window: its helper must come from the program folder.
  xdotool windowactivate --sync "$win" 2>/dev/null
  xdotool key alt+k
  for _ in $(seq 1 100); do
    helper=$(ps --ppid "$pid" -o pid= | tr -d ' ' | head -n1)
    [ -n "$helper" ] && break
    sleep 0.1
  done
  if [ -z "$helper" ]; then
    fail "Alt+K started no browser helper"
  else
    exe=$(readlink "/proc/$helper/exe")
    [ "$exe" = "$(readlink -f "$progdir/lunomat-browser")" ] && ok "browser helper started from the program folder" \
      || fail "browser helper is $exe"
    for _ in $(seq 1 200); do
      xdotool search --onlyvisible --name "Link zur Mondzeichen-Webseite" >/dev/null 2>&1 && break
      sleep 0.1
    done
    xdotool search --onlyvisible --name "Link zur Mondzeichen-Webseite" >/dev/null 2>&1 \
      && ok "browser window appeared" || fail "browser window did not appear"
    kill "$helper" 2>/dev/null
    for _ in $(seq 1 50); do kill -0 "$helper" 2>/dev/null || break; sleep 0.1; done
  fi

  sleep 0.5
  xdotool windowactivate --sync "$win" 2>/dev/null
  xdotool key alt+o
  for _ in $(seq 1 50); do kill -0 "$tracer" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$tracer" 2>/dev/null; then
    fail "program did not end after Alt+O"
    return
  fi
  wait "$tracer"
  local status=$?
  [ $status -eq 0 ] && ok "ended with status 0" || fail "exit status $status"
  kill $wm 2>/dev/null

  # Pictures and frames from the installed folder, nothing from the build or
  # the sources. strace writes bytes outside ASCII as octal escapes.
  python3 - "$tmp/open.log" >"$tmp/opened.txt" <<'EOF'
import re, sys
for line in open(sys.argv[1], encoding="ascii", errors="replace"):
    m = re.search(r'openat\([^,]*, "((?:[^"\\]|\\.)*)"', line)
    if m:
        raw = re.sub(r'\\([0-7]{3})', lambda o: chr(int(o.group(1), 8)), m.group(1))
        print('"' + raw.encode("latin-1").decode("utf-8", "replace") + '"')
EOF
  local real
  real=$(readlink -f "$progdir")
  grep -q "\"$real/mondgif/mond-[0-9][0-9].gif\"" "$tmp/opened.txt" && ok "phase picture read from the program folder" \
    || fail "no phase picture read from $real/mondgif"
  [ "$(grep -c "\"$real/mondgif/starsky-blue-[1-6].gif\"" "$tmp/opened.txt")" -ge 6 ] \
    && ok "six star-sky frames read from the program folder" || fail "star-sky frames not read from the program folder"
  grep -q "\"$real/logo.gif\"" "$tmp/opened.txt" || fail "logo not read from the program folder"
  leaked=$(grep -e "\"$build/" -e "\"$source/" "$tmp/opened.txt" | head -n3)
  [ -z "$leaked" ] && ok "nothing opened in the build or source folder" || fail "opened outside the install: $leaked"
}

if [ "${3:-}" = gui ]; then
  if command -v strace >/dev/null && command -v openbox >/dev/null && command -v xdotool >/dev/null; then
    gui
  else
    fail "strace, openbox or xdotool missing"
  fi
fi

if [ $fails -ne 0 ]; then
  echo "$fails check(s) failed"
  exit 1
fi
echo "installed tree at '$prefix' (DESTDIR) works"
