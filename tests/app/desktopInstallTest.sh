#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what the desktop reads: the desktop
# entry validates, the MIME database built from our type names .plw files by glob and by
# their first bytes, and the icon is a well-formed SVG.
set -euo pipefail
build=$1
example=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" --component plotweave >/dev/null

desktop-file-validate "$prefix/share/applications/org.plotweave.Plotweave.desktop"
test -x "$prefix/bin/plotweave"
xmllint --noout "$prefix/share/icons/hicolor/scalable/apps/org.plotweave.Plotweave.svg"

update-mime-database "$prefix/share/mime"
grep -q 'application/x-plotweave-equation-set' "$prefix/share/mime/globs2"
grep -q '\*\.plw' "$prefix/share/mime/globs2"
# The magic: an archive renamed away from .plw is still recognised by its bytes.
export XDG_DATA_DIRS="$prefix/share"
export XDG_DATA_HOME="$prefix/none"
cp "$example" "$prefix/set.data"
type=$(python3 - "$prefix/share/mime/magic" "$prefix/set.data" <<'PY'
import sys
magic = open(sys.argv[1], 'rb').read()
data = open(sys.argv[2], 'rb').read()
# The compiled magic file: one section per type, "[priority:type]" then ">offset=" value.
for section in magic.split(b'\n[')[1:]:
    header, _, body = section.partition(b']\n')
    kind = header.split(b':', 1)[1].decode()
    offset_end = body.index(b'=')
    offset = int(body[1:offset_end])
    length = int.from_bytes(body[offset_end + 1:offset_end + 3], 'big')
    value = body[offset_end + 3:offset_end + 3 + length]
    if data[offset:offset + length] == value:
        print(kind)
PY
)
test "$type" = "application/x-plotweave-equation-set"
echo "installed desktop files are valid"
