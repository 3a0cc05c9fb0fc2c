#!/usr/bin/env bash
# Pictures of every window in both languages into docs/screenshots/, taken
# from the real program in a virtual X server at 1024x768:
#   xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash scripts/screenshots.sh build/default/src/orbiquest9
# (-noreset: the server outlives the first language's run).
# Needs xdotool and ImageMagick's import.
set -euo pipefail
program=$(realpath "$1")
out=$(cd "$(dirname "$0")/.." && pwd)/docs/screenshots
mkdir -p "$out"

# The id of the visible window titled exactly $1, waiting up to 20 s.
window() {
    for _ in $(seq 200); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    echo "no window titled '$1'" >&2
    return 1
}

shoot() { # title, file name, language
    local id X Y WIDTH HEIGHT
    id=$(window "$1")
    # Without a window manager the windows overlap: raise this one, then cut
    # it out of the screen.
    xdotool windowraise "$id"
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$id")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/$2-$3.png"
}

for language in ja en; do
    work=$(mktemp -d)
    HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime "$program" --lang "$language" &
    pid=$!
    frame=$(window 'Orbiquest9 - Main Screen -')
    xdotool windowsize "$frame" 1000 740
    shoot 'Orbiquest9 - Main Screen -' frame "$language"
    for key in F2 F3 F4 ctrl+z ctrl+a ctrl+m F6; do
        xdotool windowfocus --sync "$frame" 2>/dev/null || true
        xdotool key "$key"
        sleep 1
    done
    shoot 'Orbiquest9 Screen2' screen2 "$language"
    shoot 'Orbiquest9 - Screen3' screen3 "$language"
    shoot 'Orbiquest9 - Screen4' screen4 "$language"
    shoot 'Z Capture' capture "$language"
    shoot 'About Orbiquest9' about "$language"
    shoot 'Orbiquest9 - Mass Function -' massfunction "$language"
    shoot 'Orbiquest9 - Main Screen -' lab "$language"
    # Screen1's first question, in an input box over the frame.
    xdotool windowfocus --sync "$frame" 2>/dev/null || true
    xdotool key F1
    sleep 2
    import -window root "$out/screen1-prompt-$language.png"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    rm -rf "$work"
done
