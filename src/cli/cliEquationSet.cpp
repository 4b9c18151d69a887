#include "cli/cliEquationSet.h"

#include <QFileInfo>

#include "cli/cliEditor.h"
#include "cli/cliSupport.h"
#include "platform/archive/slArchiver.h"
#include "platform/archive/slUnarchiver.h"

namespace {

// Larger than any equation set a person makes by far; refuses /dev/zero and the like
// before they are read into memory.
constexpr qint64 largestSetFile = 256LL * 1024 * 1024;

// Tabs and line breaks in names would break the one-line-per-entry format of show.
QString oneLine(QString text)
{
    return text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('\t'), QStringLiteral("\\t"))
        .replace(QLatin1Char('\n'), QStringLiteral("\\n"))
        .replace(QLatin1Char('\r'), QStringLiteral("\\r"));
}

}  // namespace

void cliRegisterArchiveClasses()
{
    static const bool registered = [] {
        graphEquationTableRegisterArchiveClasses(slArchiveRegistry::shared());
        return true;
    }();
    (void)registered;
}

std::shared_ptr<graphEquationTable> cliTableFromKeys(const std::vector<cliEntryKeys> &entries)
{
    auto table = std::make_shared<graphEquationTable>();
    for (const cliEntryKeys &entry : entries) {
        // The colour is the list's default colour at the time the entry is added.
        if (entry.color)
            table->setDefaultColor(*entry.color);
        table->addEquation();
        table->equations().back()->setEquation(cliTypedEquation(entry.keys));
    }
    return table;
}

std::shared_ptr<graphEquationTable> cliReadEquationSet(const QString &path)
{
    cliRegisterArchiveClasses();
    const QFileInfo info(path);
    if (!info.exists())
        cliFail(QStringLiteral("%1: no such file").arg(path));
    if (!info.isFile())
        cliFail(QStringLiteral("%1: not a regular file").arg(path));
    if (info.size() > largestSetFile)
        cliFail(QStringLiteral("%1: too large for an equation set (%2 bytes)").arg(path).arg(info.size()));
    QString error;
    const slArchivedObject root = slUnarchiver::unarchiveObjectWithFile(path, &error);
    if (!error.isEmpty())
        cliFail(QStringLiteral("%1: %2").arg(path, error));
    const auto *coded = std::get_if<std::shared_ptr<slCoding>>(&root);
    auto table = coded ? std::dynamic_pointer_cast<graphEquationTable>(*coded) : nullptr;
    if (!table)
        cliFail(QStringLiteral("%1: the archive does not hold an equation set").arg(path));
    return table;
}

void cliWriteEquationSet(graphEquationTable &table, const QString &path)
{
    cliRegisterArchiveClasses();
    if (QFileInfo(path).isDir())
        cliFail(QStringLiteral("%1: cannot write, it is a directory").arg(path));
    QString error;
    if (!slArchiver::archiveRootObject(table, path, &error))
        cliFail(QStringLiteral("%1: cannot write: %2").arg(path, error));
}

std::vector<QString> cliShowLines(graphEquationTable &table)
{
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
