# What the shell tests that drive the real program under an X server share:
# waiting, windows found by their title, and real key events.

# Runs the command every 0.1 s until it succeeds, at most N times.
wait_for() {  # wait_for N COMMAND...
  for _ in $(seq 1 "$1"); do "${@:2}" && return 0; sleep 0.1; done
  return 1
}
retry() { wait_for 100 "$@"; }  # for at most 10 s
visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 | grep .; }
gone() { ! xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
ended() { ! kill -0 "$1" 2>/dev/null; }
# Real key events (XTEST) to the window, made active first: access keys only
# work in the active window.
keys() { xdotool windowactivate --sync "$1" 2>/dev/null; sleep 0.1; xdotool key --delay 60 "${@:2}"; sleep 0.3; }
