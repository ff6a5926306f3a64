#!/usr/bin/env bash
# Installs the build with DESTDIR at an unusual prefix (blanks, umlaut) and
# checks the tree as a user meets it: programs in the program folder behind
# relative links, pictures and sound in the data folder, icons only in the
# icon theme, the menu entry and AppStream data accepted by their validators
# without a warning, and the desktop program started once through its link
# taking everything from the installed tree.
#
#   install_test.sh BUILD_DIR SOURCE_DIR [gui]
set -u
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
. "$source/testsupport/checks.sh"
. "$source/testsupport/x11.sh"

tmp=$(mktemp -d /tmp/lunomat-install.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
prefix="/opt/Mond Rechner ü"
stage="$tmp/stage"
root="$stage$prefix"
progdir="$root/libexec/lunomat"
data="$root/share/lunomat"
DESTDIR="$stage" cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1 \
  || { cat "$tmp/install.log"; echo "FAILED: cmake --install"; exit 1; }
outside=$(cd "$stage" && find . -mindepth 1 \( -type f -o -type l \) | grep -v "^\.$prefix/")
[ -z "$outside" ] || fail "installed outside the prefix: $outside"

# --- Layout -------------------------------------------------------------------
for program in lunomat lunomat-cli; do
  target=$(readlink "$root/bin/$program")
  case "$target" in ''|/*) fail "bin/$program is no relative link ('$target')"; continue ;; esac
  [ "$(readlink -f "$root/bin/$program")" = "$(readlink -f "$progdir/$program")" ] \
    || fail "bin/$program does not lead to the program folder"
done
# The program folder holds the programs and the module and nothing else; test
# programs stay out.
is_elf() { [ "$(head -c 4 "$1" | od -An -c | tr -d ' ')" = "177ELF" ]; }
for f in "$progdir"/*; do is_elf "$f" || fail "not a program in the program folder: ${f#"$root"/}"; done
[ "$(cd "$progdir" && ls | tr '\n' ' ')" = "liblunomat-extras.so lunomat lunomat-browser lunomat-cli " ] \
  || fail "program folder holds: $(ls "$progdir" | tr '\n' ' ')"
# Every picture and the sound lie unchanged in the data folder, the icons only
# in the theme.
while IFS= read -r -d '' f; do
  rel=${f#"$source/assets/"}
  case "$rel" in icons/*) dest="$root/share/$rel" ;; *) dest="$data/$rel" ;; esac
  cmp -s "$f" "$dest" || fail "asset $rel missing or different at ${dest#"$root"/}"
done < <(find "$source/assets" -type f -print0)
[ ! -e "$data/icons" ] || fail "icons installed twice"

# --- Menu entry and AppStream data --------------------------------------------
out=$(desktop-file-validate "$root/share/applications/org.lunomat.lunomat.desktop" 2>&1)
[ -z "$out" ] && ok "desktop-file-validate" || fail "desktop-file-validate: $out"
# Pedantic and clean: not even a note or a piece of information.
out=$(appstreamcli validate --pedantic --no-net "$root/share/metainfo/org.lunomat.lunomat.metainfo.xml" 2>&1)
[ $? -eq 0 ] && ! grep -q '^[EWIP]:' <<<"$out" && ok "appstreamcli validate --pedantic" \
  || fail "appstreamcli validate --pedantic: $out"
appstreamcli validate-tree --no-net "$root" >"$tmp/tree.log" 2>&1 && ok "appstreamcli validate-tree" \
  || { cat "$tmp/tree.log"; fail "appstreamcli validate-tree"; }

# --- The desktop program started once through its link -------------------------
gui() {
  openbox >/dev/null 2>&1 &
  wm=$!
  local helper="" win hwin
  sleep 0.5
  # Started from another folder, through the link, as the menu entry does;
  # in a process group of its own, so that nothing of it outlives the test
  # (a program left running would hold the test's output open until the
  # test runner's timeout, long after the verdict).
  (cd "$tmp" && exec setsid env PATH="$root/bin:$PATH" LANG=de_DE.UTF-8 strace -f -qq -e trace=openat,execve \
     -e status=successful -o "$tmp/trace.log" lunomat >"$tmp/stdout.log" 2>"$tmp/stderr.log") &
  tracer=$!
  trap 'kill -KILL -- -$tracer 2>/dev/null; kill $wm 2>/dev/null; rm -rf "$tmp"' EXIT
  # Traced and, in the sanitizer build, instrumented, the program starts
  # several times slower than the bare one. A start that stalls shows its
  # processes, its messages and the last files it opened.
  win=$(wait_for 600 visible "^ Luno-Mat   -   Version") || { fail "installed program showed no main window within 60 s"
    ps -o pid,stat,wchan:20,etime,args -s "$tracer"; tail -n 15 "$tmp/stderr.log" "$tmp/trace.log"; return; }
  sleep 1  # a few star-sky frames
  # The moon-zodiac window comes from the helper in the program folder.
  xdotool windowactivate --sync "$win" key alt+k 2>/dev/null
  hwin=$(wait_for 200 visible "Link zur Mondzeichen-Webseite") && helper=$(xdotool getwindowpid "$hwin")
  [ -n "$helper" ] && [ "$(readlink "/proc/$helper/exe")" = "$(readlink -f "$progdir/lunomat-browser")" ] \
    && ok "browser window from the helper in the program folder" || fail "no browser window from the helper"
  # Closed with its own button, the helper lets go of its page before the engine.
  [ -n "$helper" ] && xdotool windowactivate --sync "$hwin" key alt+b 2>/dev/null && wait_for 50 ended "$helper"
  ! grep -q "still not deleted" "$tmp/stderr.log" || fail "untidy end of the helper: $(cat "$tmp/stderr.log")"
  xdotool windowactivate --sync "$win" key alt+o 2>/dev/null
  wait_for 50 ended $tracer || { fail "program did not end after Alt+O"; return; }
  wait $tracer && ok "ended with status 0" || fail "exit status $?"
  kill $wm 2>/dev/null

  # strace writes the umlaut of the prefix as octal escapes.
  for want in mondgif/mond- mondgif/starsky-blue-6.gif logo.gif toolbar/beenden.png; do
    grep -q "\"$(readlink -f "$stage")${prefix%ü}[^/]*/share/lunomat/$want" "$tmp/trace.log" \
      || fail "$want not taken from the installed tree"
  done
  leaked=$(grep -e "\"$build/" -e "\"$source/" "$tmp/trace.log" | head -n3)
  [ -z "$leaked" ] && ok "pictures and helper from the installed tree" || fail "opened outside: $leaked"
}
[ "${3:-}" = gui ] && gui

finish "installed tree at '$prefix' (DESTDIR)"
