#!/usr/bin/env bash
# Builds the Debian package of a build folder with cpack, unpacks it into a
# scratch root and checks that it holds the program, its desktop entry and
# its icon, and that it asks for the Qt libraries it links. Where apt can
# simulate, also checks that `apt install ./orbiquest9_*.deb` would resolve.
# Usage: check_package.sh <build folder>
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" \
    || { cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$scratch"/out/orbiquest9_*.deb)
echo "built $(basename "$deb")"
dpkg -x "$deb" "$scratch/root"

status=0
for path in usr/bin/orbiquest9 \
            usr/share/applications/orbiquest9.desktop \
            usr/share/icons/hicolor/scalable/apps/orbiquest9.svg \
            usr/share/doc/orbiquest9/LICENSE; do
    if [ -f "$scratch/root/$path" ]; then echo "ok   /$path"; else echo "FAIL /$path missing"; status=1; fi
done
[ -x "$scratch/root/usr/bin/orbiquest9" ] || { echo "FAIL the program is not executable"; status=1; }
grep -q '^Exec=orbiquest9$' "$scratch/root/usr/share/applications/orbiquest9.desktop" \
    || { echo "FAIL the desktop entry does not start orbiquest9"; status=1; }

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libqt6widgets6 libqt6network6 libc6; do
    grep -q "$library" <<<"$depends" || { echo "FAIL Depends lacks $library"; status=1; }
done

if command -v apt-get >/dev/null; then
    if apt-get install -s "$deb" >"$scratch/apt.log" 2>&1; then
        echo "ok   apt would install it with its dependencies"
    else
        echo "FAIL apt cannot install it:"; cat "$scratch/apt.log"; status=1
    fi
fi
exit $status
