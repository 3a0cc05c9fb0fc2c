#!/usr/bin/env bash
# Checks that the source tree keeps its floors (see ARCHITECTURE.md):
#
#   0 ground   src/ground/                   platform, drawing surface, texts, registry …
#   1 numeric  src/numeric/ src/catalog/ src/seedmodel/ src/kepler/ src/observations/
#              src/periodogram/ src/fitting/ src/challenge/ src/detection/ src/sampling/
#   2 windows  src/simulator/ src/rv/ src/massfunction/ src/files/ src/register/
#              src/update/ src/capture/ src/about/ src/lab/ src/labdata/ src/classroom/ src/handfit/
#   3 top      src/frame/ src/cli/ src/main.cpp
#
# and fails when
#   - a file includes a file of a higher floor;
#   - a file of the numeric floor includes a Qt Widgets header; the numeric
#     headers of numeric/ and the libraries kepler, observations, periodogram, fitting, challenge, detection
#     and sampling include no Qt
#     header at all;
#   - files include each other in a circle (a header and its source count as
#     one), or folders do;
#   - a folder of src/ has no floor yet;
#   - code reaches a control by its designed name (findChild or findChildren
#     with a string): windows offer typed calls and signals instead.
#
# Usage: scripts/check-floors.sh [source root]   (default: the repository's src/)
set -euo pipefail

src=${1:-$(cd "$(dirname "$0")/.." && pwd)/src}

floor_of_folder() {
    case $1 in
    ground) echo 0 ;;
    catalog | seedmodel | numeric | kepler | observations | periodogram | fitting | challenge | detection | sampling) echo 1 ;;
    simulator | rv | massfunction | files | register | update | capture | about | lab | labdata | classroom | handfit) echo 2 ;;
    frame | cli | .) echo 3 ;;
    *) echo "" ;;
    esac
}

# Qt Widgets headers, from the installed Qt when it can be found.
qt_headers=$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || true)
[ -d "$qt_headers/QtWidgets" ] || qt_headers=/usr/include/x86_64-linux-gnu/qt6
if [ -d "$qt_headers/QtWidgets" ]; then
    widget_headers=$(cd "$qt_headers/QtWidgets" && ls | grep -E '^Q[A-Za-z]+$' | tr '\n' ' ')
else
    widget_headers="QApplication QWidget QLabel QLineEdit QMainWindow QDialog QAction QMenu QMenuBar
                    QPushButton QCheckBox QListWidget QPlainTextEdit QStatusBar QMdiArea QMdiSubWindow"
fi

failures=$(mktemp)
edges=$(mktemp)
folder_edges=$(mktemp)
trap 'rm -f "$failures" "$edges" "$folder_edges"' EXIT

# unit <path relative to src, no extension>: the floor of its folder.
unit_floor() {
    local unit=$1 folder=${1%/*}
    [ "$folder" = "$unit" ] && folder=.
    floor_of_folder "$folder"
}

while IFS= read -r file; do
    rel=${file#"$src"/}
    unit=${rel%.*}
    folder=${rel%/*}
    [ "$folder" = "$rel" ] && folder=.
    floor=$(unit_floor "$unit")
    if [ -z "$floor" ]; then
        echo "$rel: folder $folder has no floor; give it one in scripts/check-floors.sh" >>"$failures"
        continue
    fi
    folder_unit="$floor:$folder"
    echo "$folder_unit $folder_unit" >>"$folder_edges"
    echo "$unit $unit" >>"$edges"

    while IFS= read -r line; do
        target=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/' <<<"$line")
        [ -f "$src/$target" ] || continue # generated headers and headers beside tests
        target_unit=${target%.*}
        target_folder=${target%/*}
        target_floor=$(unit_floor "$target_unit")
        [ -n "$target_floor" ] || continue
        if [ "$target_floor" -gt "$floor" ]; then
            echo "$rel (floor $floor) includes $target (floor $target_floor)" >>"$failures"
        fi
        [ "$target_unit" != "$unit" ] && echo "$unit $target_unit" >>"$edges"
        target_folder_unit="$target_floor:$target_folder"
        [ "$target_folder_unit" != "$folder_unit" ] && echo "$folder_unit $target_folder_unit" >>"$folder_edges"
    done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)

    while IFS= read -r reach; do
        echo "$rel:${reach%%:*} finds a control by its name; offer a typed call or a signal" >>"$failures"
    done < <(grep -nE 'findChild(ren)?[[:space:]]*<[^>]*>[[:space:]]*\([[:space:]]*(QString|QStringLiteral|QLatin1String|u?")' "$file" || true)

    if [ "$floor" -le 1 ] && [ "$folder" != ground ]; then
        while IFS= read -r header; do
            name=$(sed -E 's/.*<([^>]+)>.*/\1/' <<<"$header")
            case $folder in
            numeric | kepler | observations | periodogram | fitting | challenge | detection | sampling)
                [[ $name == Q* ]] && echo "$rel (numeric library) includes Qt header <$name>" >>"$failures"
                ;;
            *)
                for widget in $widget_headers QtWidgets; do
                    [ "$name" = "$widget" ] || [ "$name" = "QtWidgets/$widget" ] || continue
                    echo "$rel (numeric floor) includes widget header <$name>" >>"$failures"
                done
                ;;
            esac
        done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*<' "$file" || true)
    fi
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

for graph in "$edges" "$folder_edges"; do
    if ! loop=$(tsort "$graph" 2>&1 >/dev/null); then
        echo "include circle: $(grep -v 'input contains a loop' <<<"$loop" | sed 's/^tsort: //' | tr '\n' ' ')" >>"$failures"
    fi
done

if [ -s "$failures" ]; then
    sort -u "$failures" >&2
    echo "check-floors: $(sort -u "$failures" | wc -l) problem(s)" >&2
    exit 1
fi
echo "check-floors: $(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) | wc -l) files keep their floors, no include circle"
