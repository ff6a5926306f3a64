#!/usr/bin/env bash
# The whole program with real key events under a real X server: a date typed
# into the fields, each secondary window opened with its access key and
# closed again (the annual one's print dialog, in German, on the way; the
# browser helper's window), and
# the program ended with Alt+O (exit status 0); then a regional date format
# the program refuses at start-up.
set -u
program=$1
# A window manager makes windows active, as on a desktop; access keys only
# work in the active window.
openbox >/dev/null 2>&1 & wm=$!
sleep 0.5
"$program" & pid=$!
trap 'kill $pid $wm 2>/dev/null' EXIT

. "$(dirname "$0")/../../../testsupport/x11.sh"
fail() { echo "FAILED: $*"; exit 1; }
# Waits for the message box titled $1 (failing with $2) and answers it with Enter.
answer() { box=$(retry visible "$1") || fail "$2"; keys "$box" Return; }

main=$(retry visible "Luno-Mat   -   Version") || fail "main window did not appear"
sleep 0.5
# The day field has the focus after start-up; the fields move on by themselves.
keys "$main" 2 9 0 7 2 0 0 9 Return
sleep 0.3

# A day that no month has: the error sound (from the module loaded now) and
# its message, closed with Enter; the field is empty again.
keys "$main" 3 5
answer "Falsche Tageszahleingabe" "no message for day 35"
retry gone "Falsche Tageszahleingabe" || fail "the message did not close"
ended $pid && fail "the program ended after the error sound"
keys "$main" 2 9

# Each secondary window by its access key (the moon-zodiac one from the
# browser helper), closed again with its own: Alt+O, or Alt+B for "Beenden".
for window in "j:o:Kalenderjahr 2009$" "m:o:^Mondfinsternisse  -  " "i:o:Programm- Informationen" "k:b:Mondzeichen-Webseite"; do
  key=${window:0:1} close=${window:2:1} title=${window:4}
  keys "$main" alt+$key
  id=$(wait_for 300 visible "$title") || fail "Alt+$key opened no window '$title'"
  # Qt's own dialogs speak German too: the annual window's print dialog is titled so.
  [ $key != j ] || { keys "$id" alt+d; dialog=$(retry visible "^Drucken$") || fail "no print dialog 'Drucken'"
    keys "$dialog" Escape; retry gone "^Drucken$" || fail "Escape left the print dialog open"; }
  keys "$id" alt+$close
  retry gone "$title" || fail "Alt+$close did not close '$title'"
done
keys "$main" alt+o
retry ended $pid || fail "Alt+O on the main window did not end the program"
wait $pid || fail "exit status $?"

# A regional date format with the year first is refused at start-up: its
# message, and once it is closed the program ends with a failure status.
LANG=sv_SE.UTF-8 LC_ALL= LC_TIME= "$program" & pid=$!
answer "Falsche System-Datumseinstellung" "no message for a year-first regional format"
retry ended $pid || fail "the program went on after refusing the regional format"
wait $pid && fail "a refused regional format ended with status 0"
echo "typed a date, opened and closed four windows and a German print dialog, ended with status 0; refused a year-first format"
