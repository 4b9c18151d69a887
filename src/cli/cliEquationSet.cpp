#include "cli/cliEquationSet.h"

#include <QFile>

#include "app/graphEquationDocument.h"
#include "cli/cliEditor.h"
#include "cli/cliGraph.h"
#include "cli/cliSupport.h"
#include "equationEditor/geUnboundVariables.h"

namespace {

// Tabs, line breaks and other control characters in names would break the
// one-line-per-entry format of show, or reach the terminal.
QString oneLine(const QString &text) {
    return cliEscaped(text, true);
}

// An equation file is text; a megabyte holds thousands of equations.
constexpr qint64 largestEquationFile = 1024 * 1024;

}  // namespace

std::vector<cliEntry> cliEntriesFromFile(const QString &path) {
    QFile file;
    const bool standardInput = path == QStringLiteral("-");
    const bool opened = standardInput ? file.open(stdin, QIODevice::ReadOnly)
                                      : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) cliFail(QStringLiteral("%1: cannot read: %2").arg(path, file.errorString()));
    const QString name = standardInput ? QStringLiteral("standard input") : path;
    const QByteArray data = file.read(largestEquationFile + 1);
    if (data.size() > largestEquationFile)
        cliFail(QStringLiteral("%1: too large for an equation file (more than %2 bytes)")
                    .arg(name)
                    .arg(largestEquationFile));
    const QString text = QString::fromUtf8(data);
    if (text.toUtf8() != data) cliFail(QStringLiteral("%1: not UTF-8 text").arg(name));
    std::vector<cliEntry> entries;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); i++) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#'))) continue;
        cliEntry entry;
        entry.source = line;
        entry.origin = QStringLiteral("%1 line %2").arg(cliEscaped(name)).arg(i + 1);
        entries.push_back(std::move(entry));
    }
    if (entries.empty()) cliFail(QStringLiteral("%1: no equations").arg(name));
    return entries;
}

std::shared_ptr<graphEquationTable> cliTableFromEntries(const std::vector<cliEntry> &entries) {
    auto table = std::make_shared<graphEquationTable>();
    for (const cliEntry &entry : entries) {
        const geEditPtr root =
            entry.keys
                ? cliTypedEquation(entry.source)
                : cliParsedEquation(entry.source,
                                    entry.origin.isEmpty()
                                        ? QStringLiteral("entry %1").arg(table->equationCount() + 1)
                                        : entry.origin);
        // The colour is the list's default colour at the time the entry is added.
        if (entry.color) table->setDefaultColor(*entry.color);
        table->addEquation();
        table->equations().back()->setEquation(root);
    }
    return table;
}

std::vector<cliEntry> cliEntriesFromArguments(const cliArguments &parsed, bool textFirst,
                                              std::vector<QString> *before) {
    std::vector<cliEntry> entries;
    std::optional<QColor> color;
    std::optional<bool> keys;  // the kind of the plain arguments that follow
    if (textFirst) keys = false;
    for (const auto &[option, value] : parsed.items()) {
        if (option == "--color") {
            color = cliParseColor("--color", value);
        } else if (option == "--keys") {
            keys = true;
        } else if (option == "--eq") {
            keys = false;
            entries.push_back({value, false, color, QString()});
        } else if (option == "--eq-file") {
            keys = false;
            for (cliEntry &entry : cliEntriesFromFile(value)) {
                entry.color = color;
                entries.push_back(std::move(entry));
            }
        } else if (option.empty()) {
            if (keys)
                entries.push_back({value, *keys, color, QString()});
            else if (before)
                before->push_back(value);
        }
    }
    return entries;
}

std::shared_ptr<graphEquationTable> cliGraphSource(const cliArguments &parsed,
                                                   const char *command) {
    std::vector<QString> files;
    std::vector<cliEntry> entries = cliEntriesFromArguments(parsed, false, &files);
    // Entries before any --color are told apart by the palette rather than all black.
    for (size_t i = 0; i < entries.size(); i++)
        if (!entries[i].color) entries[i].color = cliPaletteColor(static_cast<int>(i));
    for (const auto &[option, value] : parsed.items())
        if (option == "--const") cliConstants::shared().define(value);
    std::shared_ptr<graphEquationTable> table;
    if (!entries.empty() && files.empty()) {
        table = cliTableFromEntries(entries);
    } else if (entries.empty() && files.size() == 1 && !parsed.has("--keys")) {
        table = cliReadEquationSet(files[0]);
    } else {
        cliUsageError(
            QStringLiteral("%1 takes one FILE.plw, or entries after --eq, --eq-file or --keys")
                .arg(command));
    }
    std::set<QString> undefined;
    for (const auto &entry : table->equations()) {
        if (!entry->equation()) continue;
        entry->equation()->setDelegate(&cliConstants::shared());
        undefined.merge(cliConstants::shared().undefinedLetters(entry->equation()));
    }
    cliConstants::warnUndefined(undefined);
    for (size_t i = 0; i < table->equations().size(); i++) {
        const QString warning = geUnboundVariablesWarning(table->equations()[i]->equation().get());
        if (!warning.isEmpty())
            cliPrintError(
                QStringLiteral("plotweave-cli: warning: entry %1: %2").arg(i + 1).arg(warning));
    }
    return table;
}

std::shared_ptr<graphEquationTable> cliReadEquationSet(const QString &path) {
    graphEquationDocument::readResult read = graphEquationDocument::readFile(path);
    if (!read.table) cliFail(QStringLiteral("%1: %2").arg(path, read.reason));
    return read.table;
}

void cliWriteEquationSet(graphEquationTable &table, const QString &path) {
    const QString reason = graphEquationDocument::writeFile(table, path);
    if (!reason.isEmpty()) cliFail(QStringLiteral("%1: cannot write: %2").arg(path, reason));
}

std::vector<QString> cliShowLines(graphEquationTable &table) {
    std::vector<QString> lines;
    for (int i = 0; i < table.equationCount(); i++) {
        const auto &entry = table.equations()[static_cast<size_t>(i)];
        const cliClassification c = cliClassify(entry->equation());
        const QString text = entry->equation() ? entry->equation()->string() : QString();
        lines.push_back(QStringLiteral("%1\t%2\t%3\t%4\t%5")
                            .arg(i)
                            .arg(oneLine(entry->name()), entry->color().name().toUpper(),
                                 oneLine(text), c.text));
    }
    return lines;
}
