// Equation sets for the command line: made from text or KEYS, read from and written to
// .plw files.
#pragma once

#include <QColor>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

#include "app/graphEquationTable.h"
#include "cli/cliSupport.h"

// One entry to make: its text or keys and the colour it gets (the list's default when none).
struct cliEntry {
    QString source;
    bool keys = false;  // typed as keys rather than read as text
    std::optional<QColor> color;
    QString origin;  // where a text from --eq-file came from, "FILE line N"; else empty
};

// The equations of a text file, or of standard input for "-": one per line, blank lines and
// lines starting with "#" skipped, each entry naming its file and line for messages. Fails
// with status 1 on an unreadable, oversized, non-UTF-8 or empty file.
std::vector<cliEntry> cliEntriesFromFile(const QString &path);

// A list with one entry per text or KEYS, each named as addEquation names it. A text that
// does not read fails with status 1, naming the entry and the column.
std::shared_ptr<graphEquationTable> cliTableFromEntries(const std::vector<cliEntry> &entries);

// The entries of a command line, in order: "--eq TEXT" reads TEXT and every later plain
// argument as text, "--keys" types the plain arguments after it as keys, "--color RRGGBB"
// colours the entries after it. Plain arguments before any --eq or --keys are text when
// textFirst is set; otherwise they are left out, and put in before instead.
std::vector<cliEntry> cliEntriesFromArguments(const cliArguments &parsed, bool textFirst,
                                              std::vector<QString> *before = nullptr);

// The equations of render, geometry and movie, whose arguments are read with the flag
// "--keys" and cliGraphOptionNames: one FILE.plw, or entries given with --eq and --keys
// (cliEntriesFromArguments); --const NAME=VALUE sets user constants, which every
// entry's tree answers from cliConstants, warning about letters taken as 1.0.
std::shared_ptr<graphEquationTable> cliGraphSource(const cliArguments &parsed, const char *command);

// Reads an equation-set file as the window does (graphEquationDocument::readFile); fails
// with status 1 and the reader's reason (with the byte offset for a damaged file).
std::shared_ptr<graphEquationTable> cliReadEquationSet(const QString &path);

// Writes the list as an equation-set file as the window does, replacing path only once the
// file is complete; fails with status 1 and the system's reason.
void cliWriteEquationSet(graphEquationTable &table, const QString &path);

// The show line of each entry: index, name, colour, text and kind or message, tab-separated.
std::vector<QString> cliShowLines(graphEquationTable &table);
