#!/usr/bin/env bash
# Whole-program test, run inside xvfb-run: the real binary shows its frame; a
# second start refuses with its message and ends without touching the first;
# a lock left by a killed run does not block the next start. Arguments after
# the program's path go to each start (the language: --lang ja or --lang en).
set -u
program=$1
shift
options=("$@")
work=$(mktemp -d)
export HOME=$work XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
cd "$work" || exit 1
pids=()
cleanup() { kill -9 "${pids[@]}" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

fail() { echo "FAIL: $*"; cat "$work/log"; exit 1; }

# Waits up to 20 s for a visible window whose title is exactly $1; prints its id.
wait_window() {
    for _ in $(seq 200); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

"$program" "${options[@]}" 2>>"$work/log" & first=$!
pids+=("$first")
frame=$(wait_window 'Orbiquest9 - Main Screen -') || fail "the frame never appeared"
echo "PASS: the frame appeared"

"$program" "${options[@]}" 2>>"$work/log" & second=$!
pids+=("$second")
wait_window 'Ver\. 9\.0' >/dev/null || fail "the second start showed no refusal"
# The box may still be settling when first found: press OK until it is gone.
for _ in $(seq 50); do
    kill -0 "$second" 2>/dev/null || break
    refusal=$(xdotool search --onlyvisible --name '^Ver\. 9\.0$' 2>/dev/null | head -n 1)
    [ -n "$refusal" ] && xdotool key --window "$refusal" Return 2>/dev/null
    sleep 0.2
done
kill -0 "$second" 2>/dev/null && fail "the second start did not end after its message"
wait "$second"; status=$?
[ "$status" -eq 0 ] || fail "the second start ended with status $status"
echo "PASS: the second start refused and ended"

kill -0 "$first" 2>/dev/null || fail "the first instance died"
[ "$(xdotool search --onlyvisible --name '^Orbiquest9 - Main Screen -$' | head -n 1)" = "$frame" ] \
    || fail "the first instance lost its frame"
echo "PASS: the first instance still runs"

kill -9 "$first"
wait "$first" 2>/dev/null
"$program" "${options[@]}" 2>>"$work/log" & third=$!
pids+=("$third")
wait_window 'Orbiquest9 - Main Screen -' >/dev/null || fail "a killed run's lock blocked the next start"
echo "PASS: a killed run does not block the next start"

echo "4 passed, 0 failed"
