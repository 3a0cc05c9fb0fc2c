#!/usr/bin/env bash
# Keeps translations/*.ts in step with the sources.
#   bash scripts/translations.sh update   refreshes both files from src/
#   bash scripts/translations.sh check    runs lupdate over the sources into
#       scratch copies and fails when an entry is unfinished, vanished or
#       obsolete, so a text added, changed or removed in the code without
#       its translation never reaches a release.
# English is the source language: orbiquest9_en.ts holds plural forms only
# (lupdate -pluralonly); orbiquest9_ja.ts holds every text.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
bin=${QT_HOST_BINS:-$(qtpaths6 --query QT_HOST_BINS 2>/dev/null || echo /usr/lib/qt6/bin)}
lupdate=${LUPDATE:-$bin/lupdate}
lrelease=${LRELEASE:-$bin/lrelease}

# Locations are left out so that moving a line changes no translation file.
# Extra options (-no-obsolete on update) follow the folder.
refresh() { # folder holding orbiquest9_ja.ts and orbiquest9_en.ts
    local folder=$1
    shift
    "$lupdate" -silent -locations none -no-ui-lines "$@" "$root/src" -ts "$folder/orbiquest9_ja.ts"
    "$lupdate" -silent -locations none -no-ui-lines -pluralonly "$@" "$root/src" -ts "$folder/orbiquest9_en.ts"
}

case "${1:-}" in
update)
    # A text gone from the sources takes its translation with it.
    refresh "$root/translations" -no-obsolete
    ;;
check)
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    cp "$root"/translations/orbiquest9_{ja,en}.ts "$scratch"/
    refresh "$scratch"
    failed=0
    for ts in "$scratch"/orbiquest9_{ja,en}.ts; do
        name=$(basename "$ts")
        echo "$name: $("$lrelease" "$ts" -qm "$scratch/${name%.ts}.qm" | grep -i 'generated' | tr -s ' ')"
        # One line per faulty entry: its kind and its source text.
        faults=$(python3 - "$ts" <<'PY'
import sys, xml.etree.ElementTree as ET
for context in ET.parse(sys.argv[1]).getroot().iter('context'):
    for message in context.iter('message'):
        kind = message.find('translation').get('type')
        if kind in ('unfinished', 'vanished', 'obsolete'):
            print('  %s %s: "%s"' % (kind, context.findtext('name'), message.findtext('source')))
PY
)
        if [ -n "$faults" ]; then
            echo "$faults"
            failed=1
        fi
    done
    if [ "$failed" != 0 ]; then
        echo "translations: entries above are not finished; run 'bash scripts/translations.sh update' and translate them"
        exit 1
    fi
    echo "translations: every entry is finished"
    ;;
*)
    echo "usage: bash scripts/translations.sh update|check" >&2
    exit 2
    ;;
esac
