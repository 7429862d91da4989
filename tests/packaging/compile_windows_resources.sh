#!/usr/bin/env bash
# Compiles the Windows executable's resources with MinGW's windres and checks what they
# hold: seven icon images, the manifest and the version table.
# Usage: compile_windows_resources.sh <windres> <resources/windows folder>
set -eu
windres=$1
cd "$2"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$windres" --preprocessor=cpp --preprocessor-arg=-xc korva.rc -O coff -o "$out/korva.res"
"$windres" --preprocessor=cpp --preprocessor-arg=-xc korva.rc -O rc -o "$out/korva.txt"
status=0
icons=$(grep -c 'RT_ICON \*/' "$out/korva.txt")
[ "$icons" = 7 ] || { echo "icon images: $icons"; status=1; }
grep -q 'RT_MANIFEST' "$out/korva.txt" || { echo "no manifest"; status=1; }
for entry in '"FileVersion", "1.6.1.0"' '"LongVersion", "2022"' '"Release", "Beta"' \
             '"OriginalFilename", "KORVA.exe"' 'FILEVERSION 1, 6, 1, 0'; do
  grep -qF "$entry" "$out/korva.txt" || { echo "missing: $entry"; status=1; }
done
exit $status
