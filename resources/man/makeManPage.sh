#!/bin/sh
# Writes a man page (gzip'ed) from its roff frame and the program's own --help output:
#   makeManPage.sh FRAME.roff PROGRAM VERSION OUTPUT.1.gz
# In the frame, @VERSION@ is the version, a line @SYNOPSIS@ the help's usage lines, @HELP@
# the general help and @COMMANDS@ the help of each command it lists under "Commands".
set -eu
frame=$1 program=$2 version=$3 output=$4
converter=$(dirname "$0")/help2roff.awk
# English help, and no display needed for a window program's --help.
export LC_ALL=C.UTF-8 LANGUAGE= QT_QPA_PLATFORM=offscreen
# Under the sanitizers only the help is wanted here, not the leak report at exit.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Qt's parser names the program by the path it was started with.
"$program" --help | sed 's|^Usage: [^ ]*/|Usage: |' >"$tmp/help"
awk -v usage=0 -f "$converter" "$tmp/help" >"$tmp/body"
# Synopsis: each usage line, the program name in bold.
sed -n 's/^[Uu]sage: \([^ ]*\) \(.*\)/.B \1\n\2\n.br/p' "$tmp/help" |
    sed '/^\.B/!{/^\.br/!s/-/\\-/g}' >"$tmp/synopsis"
: >"$tmp/commands"
for command in $(sed -n '/^Commands/,/^$/s/^  \([a-z][a-z]*\)  .*/\1/p' "$tmp/help"); do
    printf '.SS %s\n' "$command" >>"$tmp/commands"
    "$program" help "$command" | awk -v heading=0 -f "$converter" >>"$tmp/commands"
done

sed -e "s/@VERSION@/$version/g" \
    -e "/^@SYNOPSIS@\$/{r $tmp/synopsis" -e 'd' -e '}' \
    -e "/^@HELP@\$/{r $tmp/body" -e 'd' -e '}' \
    -e "/^@COMMANDS@\$/{r $tmp/commands" -e 'd' -e '}' \
    "$frame" | gzip -9n >"$output"
