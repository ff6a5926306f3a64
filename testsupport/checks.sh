# What the shell tests share, sourced by each: every check says "ok" or
# "FAILED" on a line of its own, and finish ends the test with status 1 when
# any check failed, so that one run shows all that is wrong.
fails=0
ok() { echo "ok: $*"; }
fail() { echo "FAILED: $*"; fails=$((fails + 1)); }
finish() {  # finish NAME
  [ $fails -eq 0 ] || { echo "$1: $fails check(s) failed"; exit 1; }
  echo "$1: all passed"
}
