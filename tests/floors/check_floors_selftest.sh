#!/usr/bin/env bash
# Proves that scripts/check-floors.sh fails on each kind of fault it names,
# on small trees made up here, and passes a tree that keeps its floors.
set -uo pipefail
checker=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

# tree <name> <file:include>...: a source tree whose file includes the header.
tree() {
    local root="$work/$1"
    shift
    mkdir -p "$root"
    for entry in "$@"; do
        local file=${entry%%:*} include=${entry#*:}
        mkdir -p "$root/$(dirname "$file")"
        touch "$root/$file"
        [ -n "$include" ] && echo "#include $include" >>"$root/$file"
    done
    echo "$root"
}

expect() {
    local want=$1 name=$2 root=$3
    if bash "$checker" "$root" >"$work/out" 2>&1; then got=pass; else got=fail; fi
    if [ "$got" != "$want" ]; then
        echo "FAIL $name: expected $want, got $got"; cat "$work/out"; status=1
    else
        echo "ok   $name ($want)"
    fi
}

expect pass "floors kept" "$(tree clean 'ground/a.h:' 'simulator/form1.h:"ground/a.h"' \
    'frame/top.cpp:"simulator/form1.h"' 'rv/rvcurve.h:<QPointF>' 'kepler/k.h:<cmath>')"
expect fail "ground includes a window" "$(tree up1 'ground/a.h:"simulator/form1.h"' 'simulator/form1.h:')"
expect fail "window includes the frame" "$(tree up2 'rv/rv.cpp:"frame/mdiform1.h"' 'frame/mdiform1.h:')"
expect fail "pure file includes a window" "$(tree up3 'rv/rvcurve.cpp:"rv/rv.h"' 'rv/rv.h:')"
expect fail "pure file includes a widget header" "$(tree widget 'simulator/orbitmotion.h:<QLabel>')"
expect fail "numeric library includes Qt" "$(tree qt 'kepler/orbit.h:<QString>')"
expect fail "folders include each other" "$(tree folders 'rv/rv.cpp:"simulator/form1.h"' \
    'simulator/form1.cpp:"rv/rv.h"' 'rv/rv.h:' 'simulator/form1.h:')"
expect fail "files include each other" "$(tree files 'ground/a.cpp:"ground/b.h"' 'ground/b.cpp:"ground/a.h"' \
    'ground/a.h:' 'ground/b.h:')"
expect fail "folder without a floor" "$(tree unknown 'gadgets/g.h:')"
exit $status
