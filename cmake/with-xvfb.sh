#!/bin/sh
# Runs a command with its own virtual X display: with-xvfb.sh <program> [args...]
# Xvfb picks a free display number itself (-displayfd), so parallel runs never collide, and the
# server is stopped when the command ends, whatever its outcome. It never resets between clients, so
# a program that closes its last connection can open the next at once.
set -e
fifo_dir=$(mktemp -d)
trap 'rm -rf "$fifo_dir"' EXIT
mkfifo "$fifo_dir/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo_dir/display" >"$fifo_dir/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r display <"$fifo_dir/display" || { cat "$fifo_dir/xvfb.log" >&2; exit 1; }
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; rm -rf "$fifo_dir"' EXIT
export DISPLAY=":$display"
status=0
"$@" || status=$?
exit $status
