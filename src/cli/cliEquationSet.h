// Equation sets for the command line: typed from KEYS, read from and written to .plw files.
#pragma once

#include <QColor>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

#include "app/graphEquationTable.h"

// Registers the archive classes of equation sets once per process.
void cliRegisterArchiveClasses();

// One entry to make: its keys and the colour it gets (the list's default when none).
struct cliEntryKeys {
    QString keys;
    std::optional<QColor> color;
};

// A list with one entry per KEYS, each named as addEquation names it.
std::shared_ptr<graphEquationTable> cliTableFromKeys(const std::vector<cliEntryKeys> &entries);

// Reads an equation-set file; fails with status 1 and the reader's reason (with the byte
// offset for a damaged file).
std::shared_ptr<graphEquationTable> cliReadEquationSet(const QString &path);

// Writes the list as an equation-set file, replacing path only once the file is complete.
void cliWriteEquationSet(graphEquationTable &table, const QString &path);

// The show line of each entry: index, name, colour, text and kind or message, tab-separated.
std::vector<QString> cliShowLines(graphEquationTable &table);
