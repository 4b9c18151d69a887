# Turns a program's --help text into the body of a man page, so that the page is always
# the help the program prints. The help texts follow a few layout rules that map to roff:
#   "usage: PROGRAM ..." and the lines aligned under it   synopsis lines
#   "  ITEM  text", continued by lines indented deeper    a tagged paragraph (.TP)
#   other lines indented by two spaces                    literal lines, indented
#   a line ending in ":" (not indented, under 60 chars)   a sub-heading (Options:, Arguments:)
#   a blank line                                          a new paragraph
#   anything else                                         running text, filled
# Set heading=0 to keep headings as text, usage=0 to drop the usage lines (the page's
# SYNOPSIS shows them).

function escape(s) {
    gsub(/\\/, "\\e", s)
    gsub(/-/, "\\-", s)
    gsub(/π/, "\\(*p", s)
    if (s ~ /^[.']/) s = "\\&" s
    return s
}

# Options and command names in bold, their arguments (upper case words) in italics.
function tag(s,    words, n, i, out, w) {
    n = split(s, words, / /)
    out = ""
    for (i = 1; i <= n; i++) {
        w = escape(words[i])
        if (words[i] ~ /^[A-Z][A-Za-z0-9,.|_]*$/ || words[i] ~ /^</) w = "\\fI" w "\\fR"
        else w = "\\fB" w "\\fR"
        out = out (i > 1 ? " " : "") w
    }
    return out
}

# Running text after usage lines or an item starts a paragraph of its own.
function leaveMode(paragraph) {
    if (mode == "literal") print ".fi\n.RE"
    if (paragraph && (mode == "usage" || mode == "item")) print ".PP"
    mode = "text"
}

BEGIN { mode = "text"; if (heading == "") heading = 1; if (usage == "") usage = 1 }

# The help's usage lines; the first word after "usage:" is the program.
/^[Uu]sage: / {
    leaveMode()
    sub(/^[Uu]sage: +/, "")
    if (usage) print ".PP\n" escape($0)
    mode = "usage"
    next
}
mode == "usage" && /^       +[^ ]/ {
    sub(/^ +/, "")
    if (usage) print ".br\n" escape($0)
    next
}

/^$/ { leaveMode(); print ".PP"; next }

# A tagged item: two spaces, the tag, at least two spaces, its text.
/^  [^ ].*[^ ]   *[^ ]/ && match($0, /[^ ]   *[^ ]/) {
    leaveMode()
    item = substr($0, 3, RSTART - 2)
    text = substr($0, RSTART + RLENGTH - 1)
    print ".TP\n" tag(item) "\n" escape(text)
    mode = "item"
    next
}
mode == "item" && /^     +[^ ]/ { sub(/^ +/, ""); print escape($0); next }

/^  [^ ]/ {
    if (mode != "literal") print ".RS\n.nf"
    mode = "literal"
    sub(/^  /, "")
    print escape($0)
    next
}

heading && /^[A-Z][^ ]*( [^ ]+)?:$/ { leaveMode(0); print ".SS " escape(substr($0, 1, length($0) - 1)); next }

{ leaveMode(1); print escape($0) }

END { leaveMode() }
