#!/usr/bin/env bash
# Runs one whole-program test script in a virtual X server of its own:
#   xvfb_session.sh <script> <arguments>...
# The server keeps running when its last client leaves (-noreset): the
# scripts kill the program and start it again, and a server that resets in
# between refuses the next connection. The server picks a free display
# itself and names it only once it accepts connections (-displayfd), so
# parallel runs neither collide nor start too early.
set -u
script=$1
shift

ready=$(mktemp)
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -f "$ready"' EXIT
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 3>"$ready" 2>/dev/null &
server=$!

for _ in $(seq 300); do
    display=$(head -n 1 "$ready")
    [ -n "$display" ] && break
    kill -0 "$server" 2>/dev/null || { echo "FAIL: the virtual X server did not start"; exit 1; }
    sleep 0.1
done
[ -n "$display" ] || { echo "FAIL: the virtual X server never became ready"; exit 1; }

DISPLAY=:$display "$script" "$@"
