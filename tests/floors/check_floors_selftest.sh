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

expect pass "floors kept" "$(tree clean 'ground/a.h:' 'simulator/simulatorwindow.h:"ground/a.h"' \
    'frame/top.cpp:"simulator/simulatorwindow.h"' 'seedmodel/rvcurve.h:<QPointF>' 'kepler/k.h:<cmath>')"
expect fail "ground includes a window" "$(tree up1 'ground/a.h:"simulator/simulatorwindow.h"' 'simulator/simulatorwindow.h:')"
expect fail "window includes the frame" "$(tree up2 'rv/velocitycurvewindow.cpp:"frame/mainframe.h"' 'frame/mainframe.h:')"
expect fail "numeric file includes a window" "$(tree up3 'seedmodel/rvcurve.cpp:"rv/velocitycurvewindow.h"' 'rv/velocitycurvewindow.h:')"
expect fail "numeric file includes a widget header" "$(tree widget 'seedmodel/orbitmotion.h:<QLabel>')"
expect fail "numeric library includes Qt" "$(tree qt 'kepler/orbit.h:<QString>')"
expect fail "folders include each other" "$(tree folders 'rv/velocitycurvewindow.cpp:"simulator/simulatorwindow.h"' \
    'simulator/simulatorwindow.cpp:"rv/velocitycurvewindow.h"' 'rv/velocitycurvewindow.h:' 'simulator/simulatorwindow.h:')"
expect fail "files include each other" "$(tree files 'ground/a.cpp:"ground/b.h"' 'ground/b.cpp:"ground/a.h"' \
    'ground/a.h:' 'ground/b.h:')"
expect fail "folder without a floor" "$(tree unknown 'gadgets/g.h:')"
reach=$(tree reach 'frame/wiring.cpp:')
echo 'auto *list = window->findChild<QListWidget *>(QStringLiteral("List1"));' >>"$reach/frame/wiring.cpp"
expect fail "code finds a control by its name" "$reach"
typed=$(tree typed 'frame/wiring.cpp:')
echo 'auto *tabs = lab->findChild<QTabWidget *>(); auto all = w->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);' \
    >>"$typed/frame/wiring.cpp"
expect pass "finding children by type" "$typed"
exit $status
