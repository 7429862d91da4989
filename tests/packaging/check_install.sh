#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks that the program, its picture, its
# icons and its desktop entry are where a desktop looks for them.
# Usage: check_install.sh <build folder>
set -eu
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
status=0
for file in bin/KORVA share/korva/NMR.png share/applications/korva.desktop \
            share/icons/hicolor/16x16/apps/korva.png share/icons/hicolor/32x32/apps/korva.png \
            share/icons/hicolor/48x48/apps/korva.png share/icons/hicolor/256x256/apps/korva.png; do
  [ -s "$prefix/$file" ] || { echo "missing: $file"; status=1; }
done
[ -x "$prefix/bin/KORVA" ] || { echo "not executable: bin/KORVA"; status=1; }
grep -qx 'Exec=KORVA' "$prefix/share/applications/korva.desktop" || { echo "no Exec line"; status=1; }
grep -qx 'Icon=korva' "$prefix/share/applications/korva.desktop" || { echo "no Icon line"; status=1; }
# The desktop entry as a desktop reads it: any error, warning or hint fails.
if ! command -v desktop-file-validate >/dev/null; then
  echo "desktop-file-validate (desktop-file-utils) checks the desktop entry"; status=1
elif [ -n "$(desktop-file-validate "$prefix/share/applications/korva.desktop" 2>&1)" ]; then
  desktop-file-validate "$prefix/share/applications/korva.desktop"; status=1
fi
exit $status
