#!/usr/bin/env bash
# Starts the program, waits for its main window, checks the caption and the
# exit status after the window has been closed with its OK button (Alt+O).
set -u
program=$1
openbox >/dev/null 2>&1 &
wm=$!
sleep 0.5
"$program" &
pid=$!
trap 'kill $pid $wm 2>/dev/null' EXIT
title=" Luno-Mat   -   Version:  1.0.5    Build:  5.0.002   ( Lunoskop )"
win=""
for _ in $(seq 1 100); do
  win=$(xdotool search --name "Luno-Mat   -   Version" 2>/dev/null | head -n1)
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "no main window appeared"; exit 1; }
name=$(xdotool getwindowname "$win")
[ "$name" = "$title" ] || { echo "caption is '$name'"; exit 1; }
sleep 0.5
xdotool windowactivate --sync "$win" 2>/dev/null
xdotool key alt+o
for _ in $(seq 1 50); do
  kill -0 $pid 2>/dev/null || break
  sleep 0.1
done
if kill -0 $pid 2>/dev/null; then echo "program did not end after Alt+O"; exit 1; fi
wait $pid
status=$?
kill $wm 2>/dev/null
trap - EXIT
[ $status -eq 0 ] || { echo "exit status $status"; exit 1; }
echo "main window came up with its caption and closed with status 0"
